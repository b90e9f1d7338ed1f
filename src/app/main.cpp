// Program entry: runtime start-up, then the game.
int main() { return 0; }
