#include "FileSink.h"

namespace {

// Enough files in flight to keep the writer busy, few enough to keep memory
// small however large the model.
const size_t kQueueLimit = 32;

} // namespace

TFileSink::TFileSink(IGenerationListener& listener, TBaseStore* bases)
    : listener_(listener)
    , bases_(bases)
    , thread_([this] { WriteLoop(); })
{
}

TFileSink::~TFileSink()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void TFileSink::ThrowFailure()
{
    if (failure_)
        std::rethrow_exception(failure_);
}

void TFileSink::Put(const TOutputFile& file, const std::string& suffix)
{
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return queue_.size() < kQueueLimit || failure_; });
    ThrowFailure();
    queue_.push_back({ file, suffix });
    changed_.notify_all();
}

void TFileSink::Finish()
{
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return (queue_.empty() && !writing_) || failure_; });
    ThrowFailure();
}

void TFileSink::WriteLoop()
{
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return stop_ || !queue_.empty(); });
        if (stop_)
            return;
        TJob job = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        guard.unlock();
        std::exception_ptr failure;
        try {
            writer_.Write(job.file.directory, job.file.path, job.file.bytes);
            if (bases_)
                bases_->Write(bases_->Relative(job.file.path), job.file.bytes);
            listener_.Progress(job.file.displayPath + job.suffix);
        } catch (...) {
            failure = std::current_exception();
        }
        guard.lock();
        writing_ = false;
        if (failure) {
            failure_ = failure;
            queue_.clear();
        }
        changed_.notify_all();
        if (failure)
            return;
    }
}
