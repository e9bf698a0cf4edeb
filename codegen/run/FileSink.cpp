#include "codegen/run/FileSink.h"

namespace {

// Enough files in flight to keep the writer busy, few enough to keep memory
// small however large the model.
const size_t kQueueLimit = 32;

} // namespace

TFileSink::TFileSink(IGenerationListener& listener, TBaseStore* bases)
    : listener_(listener)
    , bases_(bases)
    , queue_(1, kQueueLimit)
{
}

void TFileSink::Put(const TOutputFile& file, const std::string& suffix)
{
    queue_.Add([this, file, suffix] {
        writer_.Write(file.directory, file.path, file.bytes);
        if (bases_)
            bases_->Write(bases_->Relative(file.path), file.bytes);
        listener_.Progress(file.displayPath + suffix);
    });
}

void TFileSink::Finish()
{
    queue_.WaitAll();
}
