#include "codegen/core/WorkQueue.h"

TWorkQueue::TWorkQueue(unsigned threads, size_t limit)
    : limit_(limit)
{
    try {
        for (unsigned i = 0; i < threads; ++i)
            threads_.emplace_back([this] { Work(); });
    } catch (...) {
        // No thread to be had: the ones started stop, the run fails.
        Stop();
        throw;
    }
}

TWorkQueue::~TWorkQueue()
{
    Stop();
}

void TWorkQueue::Stop()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
        waiting_.clear();
    }
    changed_.notify_all();
    for (auto& thread : threads_)
        thread.join();
    threads_.clear();
}

void TWorkQueue::ThrowFailure()
{
    if (failure_)
        std::rethrow_exception(failure_);
}

size_t TWorkQueue::Add(std::function<void()> job)
{
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return waiting_.size() < limit_ || failure_; });
    ThrowFailure();
    size_t index = done_.size();
    done_.push_back(false);
    waiting_.emplace_back(index, std::move(job));
    changed_.notify_all();
    return index;
}

void TWorkQueue::WaitFor(size_t index)
{
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [&] { return done_[index] || failure_; });
    if (!done_[index])
        ThrowFailure();
}

void TWorkQueue::WaitAll()
{
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return (waiting_.empty() && running_ == 0) || failure_; });
    ThrowFailure();
}

void TWorkQueue::Work()
{
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return stop_ || !waiting_.empty(); });
        if (stop_)
            return;
        auto [index, job] = std::move(waiting_.front());
        waiting_.pop_front();
        ++running_;
        changed_.notify_all();
        guard.unlock();
        std::exception_ptr failure;
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        guard.lock();
        --running_;
        if (failure && !failure_) {
            failure_ = failure;
            waiting_.clear();
        }
        if (!failure)
            done_[index] = true;
        changed_.notify_all();
    }
}
