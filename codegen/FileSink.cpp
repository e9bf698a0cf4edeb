#include "FileSink.h"

#include "FileOperate.h"

void TFileSink::Put(const TOutputFile& file, const std::string& suffix)
{
    TFileOperate::MakeDirectory(file.directory);
    TFileOperate::WriteBytes(file.path, file.bytes);
    ++written_;
    listener_.Progress(file.displayPath + suffix);
}
