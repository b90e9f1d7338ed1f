// The lines the rules say for the debug log (a beam cast, a lock's timer).
// The game hands a log to the rules and writes what comes back; a search
// hands none, and the rules say nothing.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace qm {

using RuleLog = std::vector<std::string>;

inline void note(RuleLog* log, std::string line) {
    if (log) log->push_back(std::move(line));
}

}  // namespace qm
