#include "RunContext.h"

#include "FileOperate.h"
#include "TextEscape.h"

namespace {

std::string Encode(const std::string& path, const std::string& text, bool utf8)
{
    return utf8 ? "\xEF\xBB\xBF" + text : TFileOperate::EncodeGbk(path, text);
}

} // namespace

std::string TRunContext::SubstitutePackage(const std::string& text) const
{
    return ReplaceAll(ReplaceAll(text, "$packageName", packageName), "$packagePath", paths.PackagePath());
}

void TRunContext::PutSourceFile(
    const std::string& fileName, const std::string& text, bool utf8, const char* suffix) const
{
    std::string path = paths.SourceFile(fileName);
    output.Put({ paths.SourceDir(), path, paths.DisplaySource(fileName), Encode(path, text, utf8) }, suffix);
}

void TRunContext::PutKindFile(
    const std::string& kind, const std::string& fileName, const std::string& text, bool utf8, const char* suffix) const
{
    std::string path = paths.KindFile(kind, fileName);
    output.Put({ paths.KindDir(kind), path, paths.DisplayKind(kind, fileName), Encode(path, text, utf8) }, suffix);
}

void TRunContext::PutKindBytes(
    const std::string& kind, const std::string& fileName, const std::string& bytes, const char* suffix) const
{
    output.Put(
        { paths.KindDir(kind), paths.KindFile(kind, fileName), paths.DisplayKind(kind, fileName), bytes }, suffix);
}
