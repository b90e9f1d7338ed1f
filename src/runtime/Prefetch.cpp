// Decoding ahead on worker threads (see Prefetch.h). Each file is a job;
// workers take jobs from the front of the queue, and the main thread, when it
// asks for a file no worker has started, takes that job out and decodes it
// itself rather than wait. Nothing here logs: the loaders log as they always
// do when they take a result.
#include "Prefetch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "Backend.h"
#include "Files.h"

namespace qm {

namespace {

struct Job {
    std::string where;  // absolute path, read by the worker
    bool started = false, done = false;
    prefetch::Outcome outcome = prefetch::Outcome::Missing;
    bool isSound = false;
    Pixmap pixels;
    std::shared_ptr<const std::vector<uint8_t>> encoded;
    SoundPtr sound;
};
using JobPtr = std::shared_ptr<Job>;

struct Pool {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<JobPtr> queue;
    std::unordered_map<std::string, JobPtr> jobs;  // by absolute path, until taken
    std::vector<std::thread> workers;
    bool stopping = false;

    // Lets the workers finish their files and go; the pool is ready again after.
    void stop() {
        {
            std::lock_guard<std::mutex> hold(lock);
            stopping = true;
            queue.clear();
        }
        changed.notify_all();
        for (std::thread& t : workers) t.join();
        std::lock_guard<std::mutex> hold(lock);
        workers.clear();
        jobs.clear();
        stopping = false;
    }
    // A program that never shut the runtime down still ends cleanly.
    ~Pool() { stop(); }
};

Pool& pool() {
    static Pool p;
    return p;
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(nativePath(path), ec);
    return ec ? nativePath(path) : p.lexically_normal().string();
}

bool startsWith(const std::vector<uint8_t>& bytes, const char* magic, size_t n) {
    return bytes.size() >= n && std::equal(bytes.begin(), bytes.begin() + ptrdiff_t(n), magic,
                                           [](uint8_t b, char m) { return b == static_cast<unsigned char>(m); });
}

// Reads and decodes one file, outside the lock.
void run(Job& job) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(job.where, bytes)) {
        job.outcome = prefetch::Outcome::Missing;
        return;
    }
    job.outcome = prefetch::Outcome::Undecodable;
    if (startsWith(bytes, "RIFF", 4) || startsWith(bytes, "OggS", 4)) {
        job.isSound = true;
        job.sound = startsWith(bytes, "RIFF", 4) ? decodeWav(bytes, 0) : decodeOgg(bytes, 0);
        if (job.sound) job.outcome = prefetch::Outcome::Decoded;
        return;
    }
    if (!decodePicture(bytes, job.pixels)) return;
    job.outcome = prefetch::Outcome::Decoded;
    if (int64_t(job.pixels.width) * job.pixels.height >= kKeptEncodedPixels) {
        job.encoded = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        job.pixels.pixels = std::vector<uint32_t>();  // freed, not just emptied
    }
}

void work() {
    Pool& p = pool();
    std::unique_lock<std::mutex> hold(p.lock);
    for (;;) {
        p.changed.wait(hold, [&] { return p.stopping || !p.queue.empty(); });
        if (p.stopping) return;
        JobPtr job = p.queue.front();
        p.queue.pop_front();
        job->started = true;
        hold.unlock();
        run(*job);
        hold.lock();
        job->done = true;
        p.changed.notify_all();
    }
}

// Takes the job for this path out of the table, finished.
JobPtr take(const std::string& path) {
    Pool& p = pool();
    std::unique_lock<std::mutex> hold(p.lock);
    if (p.jobs.empty()) return nullptr;
    auto found = p.jobs.find(absolute(path));
    if (found == p.jobs.end()) return nullptr;
    JobPtr job = found->second;
    p.jobs.erase(found);
    if (!job->started) {
        // Nobody has begun it: quicker to do it here than to wait.
        p.queue.erase(std::find(p.queue.begin(), p.queue.end(), job));
        job->started = true;
        hold.unlock();
        run(*job);
        hold.lock();
        job->done = true;
    }
    p.changed.wait(hold, [&] { return job->done; });
    return job;
}

}  // namespace

void prefetchFiles(const std::vector<std::string>& paths) {
    Pool& p = pool();
    std::lock_guard<std::mutex> hold(p.lock);
    for (const std::string& path : paths) {
        std::string where = absolute(path);
        if (p.jobs.count(where)) continue;
        auto job = std::make_shared<Job>();
        job->where = where;
        p.jobs.emplace(where, job);
        p.queue.push_back(job);
    }
    if (p.workers.empty() && !p.queue.empty()) {
        // The main thread decodes too, so one worker fewer than processors.
#ifdef __EMSCRIPTEN__
        // The page runs on one thread: every file is decoded when it is asked for.
        unsigned n = 0;
#else
        unsigned n = std::clamp(std::thread::hardware_concurrency(), 2u, 5u) - 1;
#endif
        for (unsigned i = 0; i < n; ++i) p.workers.emplace_back(work);
    }
    p.changed.notify_all();
}

int prefetchedFilesWaiting() {
    Pool& p = pool();
    std::lock_guard<std::mutex> hold(p.lock);
    return int(p.jobs.size());
}

void Backend::resetPrefetch() { pool().stop(); }

namespace prefetch {

Outcome takeImage(const std::string& path, Pixmap& out, std::shared_ptr<const std::vector<uint8_t>>& encoded) {
    JobPtr job = take(path);
    if (!job) return Outcome::NotPrefetched;
    if (job->outcome == Outcome::Decoded && job->isSound) return Outcome::Undecodable;
    if (job->outcome == Outcome::Decoded) {
        out = std::move(job->pixels);
        encoded = std::move(job->encoded);
    }
    return job->outcome;
}

Outcome takeSound(const std::string& path, SoundPtr& out) {
    JobPtr job = take(path);
    if (!job) return Outcome::NotPrefetched;
    if (job->outcome == Outcome::Decoded && !job->isSound) return Outcome::Undecodable;
    if (job->outcome == Outcome::Decoded) out = job->sound;
    return job->outcome;
}

}  // namespace prefetch
}  // namespace qm
