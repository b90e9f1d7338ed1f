// Spreading items over threads; see the header.
#include "Workers.h"

#include <algorithm>

namespace qm {

unsigned Workers::available() { return std::max(1u, std::thread::hardware_concurrency()); }

void Workers::forEach(size_t count, unsigned threads, const std::function<void(size_t)>& work) {
    std::atomic<size_t> next{0};
    auto drain = [&] {
        for (size_t i; (i = next++) < count;) work(i);
    };
    std::vector<std::thread> helpers;
    size_t wanted = std::min<size_t>(std::max(1u, threads), count);
    for (size_t t = 1; t < wanted; ++t) helpers.emplace_back(drain);
    drain();
    for (std::thread& helper : helpers) helper.join();
}

Workers::Workers(unsigned threads) {
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back([this] { help(); });
}

Workers::~Workers() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        closing = true;
    }
    started.notify_all();
    for (std::thread& helper : helpers) helper.join();
}

void Workers::drain() {
    for (size_t i; (i = next++) < jobSize;) (*job)(i);
}

void Workers::help() {
    unsigned seen = 0;
    while (true) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            started.wait(lock, [&] { return closing || round != seen; });
            if (closing) return;
            seen = round;
        }
        drain();
        std::lock_guard<std::mutex> lock(mutex);
        if (--busy == 0) finished.notify_one();
    }
}

void Workers::run(size_t count, const std::function<void(size_t)>& work) {
    if (helpers.empty() || count < 2) {
        for (size_t i = 0; i < count; ++i) work(i);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        job = &work;
        jobSize = count;
        next = 0;
        busy = unsigned(helpers.size());
        ++round;
    }
    started.notify_all();
    drain();
    // Every helper must be done with this round before `work` goes away.
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [&] { return busy == 0; });
}

}  // namespace qm
