#pragma once
#include "codegen/core/GenerationListener.h"
#include "codegen/core/OutputSink.h"
#include "codegen/core/WorkQueue.h"
#include "codegen/io/FileOperate.h"
#include "codegen/merge/BaseStore.h"

// The plain run's sink: each file replaces what is on disk (through a
// temporary file, never torn), then its progress line is added.
//
// Files are written by one thread of a work queue, in the order they were
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

    void Put(const TOutputFile& file, const std::string& suffix) override;
    // Waits until every file put is written; throws the write failure.
    void Finish();

private:
    IGenerationListener& listener_;
    TBaseStore* bases_;
    TDirectoryWriter writer_;
    TWorkQueue queue_; // last: stops before the rest goes
};
