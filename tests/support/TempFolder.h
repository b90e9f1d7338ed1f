// A scratch working folder for a test: created empty, made the current
// folder, removed afterwards. Files the game writes beside itself land here.
#pragma once
#include <string>

namespace qm::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Makes media/, levels/ and system/ of the built game visible here.
    void linkGameData() const;

private:
    std::string path_;
    std::string previous_;
};

std::string readText(const std::string& path);
std::string readBinary(const std::string& path);
void writeBinary(const std::string& path, const std::string& bytes);
// Runs a command line with /bin/sh; returns its exit status.
int runCommand(const std::string& command);

}  // namespace qm::test
