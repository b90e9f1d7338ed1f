// Work handed to another thread where the platform has threads. The browser
// page runs on one thread: there the work runs when its result is first asked
// for, so a caller that collects the result a step later sees the same outcome.
#pragma once
#include <future>
#include <utility>

namespace qm {

template <class Work>
auto startInBackground(Work&& work) {
#ifdef __EMSCRIPTEN__
    return std::async(std::launch::deferred, std::forward<Work>(work));
#else
    return std::async(std::launch::async, std::forward<Work>(work));
#endif
}

}  // namespace qm
