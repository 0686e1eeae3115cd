#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads, made once, that share out the parts of a job and sleep between jobs (no
// spinning: a game in the background must cost next to nothing). The calling thread takes
// parts too and waits only for parts already begun, so a helper the system has not woken yet
// (other programs busy on the cores) never holds up a frame.
class ComposeWorkers {
public:
    ComposeWorkers() = default;
    ~ComposeWorkers();
    ComposeWorkers(const ComposeWorkers&) = delete;
    ComposeWorkers& operator=(const ComposeWorkers&) = delete;

    // count threads in all, the caller's included; 0 = one per core. Ends the ones there were.
    void Start(int count);
    // The threads `count` asks for: 0 = one per core, at most 64.
    static int ThreadsFor(int count);
    int Count() const { return int(helpers.size()) + 1; }
    // Calls job(part) once for every part 0..parts-1, on whichever of the first `threads`
    // threads (the caller's included; 0 = all) is free; returns when all are done.
    void Run(int parts, const std::function<void(int)>& job, int threads = 0);

private:
    void Stop();
    void Serve(int helper, uint64_t seen);
    // Takes parts until none is left.
    void TakeParts(const std::function<void(int)>& job);

    std::vector<std::thread> helpers;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    const std::function<void(int)>* current = nullptr;
    uint64_t generation = 0;
    int inside = 0; // helpers working on the current job
    int total = 0;
    int helpersInUse = 0;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    bool stopping = false;
};
