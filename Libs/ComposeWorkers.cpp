#include "Libs/ComposeWorkers.h"

#include <algorithm>

ComposeWorkers::~ComposeWorkers() {
    Stop();
}

int ComposeWorkers::ThreadsFor(int count) {
    if (count <= 0) count = int(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(count, 1, 64);
}

void ComposeWorkers::Start(int count) {
    Stop();
    count = ThreadsFor(count);
    stopping = false;
    // New helpers wait for the next job, not one that went before them.
    const uint64_t seen = generation;
    for (int i = 1; i < count; ++i) helpers.emplace_back([this, i, seen] { Serve(i - 1, seen); });
}

void ComposeWorkers::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& t : helpers) t.join();
    helpers.clear();
}

void ComposeWorkers::TakeParts(const std::function<void(int)>& job) {
    for (int part = next.fetch_add(1); part < total; part = next.fetch_add(1)) {
        job(part);
        if (done.fetch_add(1) + 1 == total) {
            std::lock_guard<std::mutex> lock(mutex);
            finished.notify_all();
        }
    }
}

void ComposeWorkers::Run(int parts, const std::function<void(int)>& job, int threads) {
    if (parts <= 0) return;
    const int helpersWanted =
        threads <= 0 ? int(helpers.size()) : std::min(threads - 1, int(helpers.size()));
    if (helpersWanted == 0 || parts == 1) {
        for (int part = 0; part < parts; ++part) job(part);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        current = &job;
        total = parts;
        next = 0;
        done = 0;
        helpersInUse = helpersWanted;
        ++generation;
    }
    wake.notify_all();
    TakeParts(job);
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [this] { return done.load() == total && inside == 0; });
    current = nullptr; // a helper waking only now finds nothing to do
}

void ComposeWorkers::Serve(int helper, uint64_t seen) {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [&] { return stopping || generation != seen; });
        if (stopping) return;
        seen = generation;
        const std::function<void(int)>* job = current;
        if (!job || helper >= helpersInUse) continue;
        ++inside;
        lock.unlock();
        TakeParts(*job);
        lock.lock();
        if (--inside == 0) finished.notify_all();
    }
}
