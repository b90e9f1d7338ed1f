#include "support/TempFolder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace qm::test {

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "quillmere-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : pattern;
    previous_ = fs::current_path().string();
    fs::current_path(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void TempFolder::linkGameData() const {
    for (const char* name : {"media", "levels", "system"}) {
        std::error_code ec;
        fs::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, path_ + "/" + name, ec);
    }
}

std::string readText(const std::string& path) { return readBinary(path); }

std::string readBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBinary(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

int runCommand(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace qm::test
