#pragma once
#include "BaseStore.h"
#include "FileOperate.h"
#include "GenerationListener.h"
#include "OutputSink.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

// The plain run's sink: each file replaces what is on disk (through a
// temporary file, never torn), then its progress line is added.
//
// Files are written by a thread of the sink's own, in the order they were
// put, so that the run generates the next file while the kernel writes this
// one. Progress lines therefore come from that thread, still one per file,
// in order, each after its file is written. A write that fails stops the
// writing: later files are dropped, and the failure is thrown by the next
// Put or by Finish.
class TFileSink : public IOutputSink {
public:
    // bases: where an earlier merging generation keeps its bases, refreshed
    // with every file written so that each base stays what the program last
    // wrote; null when there are none (a plain run never makes them).
    TFileSink(IGenerationListener& listener, TBaseStore* bases);
    // Stops the writer; files not yet written are dropped.
    ~TFileSink() override;
    TFileSink(const TFileSink&) = delete;
    TFileSink& operator=(const TFileSink&) = delete;

    void Put(const TOutputFile& file, const std::string& suffix) override;
    // Waits until every file put is written; throws the write failure.
    void Finish();

private:
    struct TJob {
        TOutputFile file;
        std::string suffix;
    };
    void WriteLoop();
    void ThrowFailure();

    IGenerationListener& listener_;
    TBaseStore* bases_;
    TDirectoryWriter writer_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<TJob> queue_;
    bool writing_ = false; // a job has been taken and is being written
    bool stop_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};
