// The debug log and the modal notice box.
#pragma once
#include <functional>
#include <string>

namespace qm {

void debugLog(const std::string& text);
void notify(const std::string& text, int serious);
// Where debug lines go: "" drops them, "-" is standard error, else a file.
void setDebugLogTarget(const std::string& target);
// Tests can capture lines; nullptr restores the file/stderr target.
void setDebugLogHook(std::function<void(const std::string&)> hook);
// How many notices were asked for (headless mode counts them and writes them
// to the debug log instead of showing them, so a scripted run never waits for
// a click).
int notifyCount();

}  // namespace qm
