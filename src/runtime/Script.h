// Scripted input: one event a line, "F kind args", F = the flip after which
// the event becomes visible. "#" starts a comment.
#pragma once
#include <string>
#include <vector>

namespace qm {

struct ScriptEvent {
    int frame = 0;
    enum Kind { KEY, MOUSE, BUTTON, CHAR, FOCUS, CLOSE, PRINTSCREEN, SHOT, WHEEL } kind = KEY;
    int a = 0;  // key code, x, button, char code, 1 = down/gained, wheel steps
    int b = 0;  // y, 1 = down
    std::string path;  // shot
};

// Parses a script; on a bad line returns false with a message naming it.
bool parseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string& error);
void loadInputScript(std::vector<ScriptEvent> events);
// Applies the events of flip `frame` (called by flipFrame after presenting).
void applyScriptEvents(int frame);
bool hasInputScript();

}  // namespace qm
