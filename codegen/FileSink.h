#pragma once
#include "GenerationListener.h"
#include "OutputSink.h"

// The plain run's sink: each file replaces what is on disk (through a
// temporary file, never torn), then its progress line is added.
class TFileSink : public IOutputSink {
public:
    explicit TFileSink(IGenerationListener& listener)
        : listener_(listener)
    {
    }
    void Put(const TOutputFile& file, const std::string& suffix) override;
    int FilesWritten() const { return written_; }

private:
    IGenerationListener& listener_;
    int written_ = 0;
};
