// Work spread over threads: the rules core holds no globals, so boards can
// be explored and judged side by side. Each item is done once, on some
// thread; what an item writes is its own, so the results do not depend on
// how many threads there are.
#pragma once
#include <cstddef>
#include <functional>

namespace qm {

class Workers {
public:
    // The threads to use when the user names none: one a processor.
    static unsigned available();
    // Calls work(i) for i in 0..count-1 on up to `threads` threads (the
    // calling one among them) and returns when all are done.
    static void forEach(size_t count, unsigned threads, const std::function<void(size_t)>& work);
};

}  // namespace qm
