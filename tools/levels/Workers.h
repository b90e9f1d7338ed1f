// Work spread over threads: the rules core holds no globals, so boards can
// be explored and judged side by side. Each item is done once, on some
// thread; what an item writes is its own, so the results do not depend on
// how many threads there are.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qm {

class Workers {
public:
    // The threads to use when the user names none: one a processor.
    static unsigned available();
    // Calls work(i) for i in 0..count-1 on up to `threads` threads (the
    // calling one among them) and returns when all are done.
    static void forEach(size_t count, unsigned threads, const std::function<void(size_t)>& work);

    // A crew that stays for many small rounds of work (the generator's
    // batches), so no round pays for starting threads.
    explicit Workers(unsigned threads);
    ~Workers();
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    void run(size_t count, const std::function<void(size_t)>& work);

private:
    std::vector<std::thread> helpers;
    std::mutex mutex;
    std::condition_variable started, finished;
    const std::function<void(size_t)>* job = nullptr;
    size_t jobSize = 0;
    std::atomic<size_t> next{0};
    unsigned round = 0;
    unsigned busy = 0;
    bool closing = false;
    void drain();
    void help();
};

}  // namespace qm
