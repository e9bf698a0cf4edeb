#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The run's one work queue: jobs run on a few threads of the queue's own,
// taken in the order they were added (one thread: done in that order too).
// The first job that throws stops the queue: jobs not started are dropped,
// and the failure is thrown to whoever adds or waits next.
class TWorkQueue {
public:
    // limit: at most that many jobs wait to be started; Add blocks beyond.
    explicit TWorkQueue(unsigned threads, size_t limit = static_cast<size_t>(-1));
    // Drops the jobs not started and waits for the running ones.
    ~TWorkQueue();
    TWorkQueue(const TWorkQueue&) = delete;
    TWorkQueue& operator=(const TWorkQueue&) = delete;

    // Returns the job's number, counted from 0.
    size_t Add(std::function<void()> job);
    // Waits until job number index has run.
    void WaitFor(size_t index);
    // Waits until every job added has run.
    void WaitAll();

private:
    void Work();
    void Stop();
    void ThrowFailure();

    size_t limit_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::pair<size_t, std::function<void()>>> waiting_;
    std::vector<bool> done_;
    size_t running_ = 0;
    bool stop_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_; // last: started once the rest is ready
};
