#include "codegen/run/OutputPaths.h"

#include "codegen/core/Generator.h"
#include "codegen/io/FileOperate.h"
#include "codegen/text/TextEscape.h"

TOutputPaths::TOutputPaths(std::string rootDir, std::string projectName, std::string packageName)
    : rootDir_(std::move(rootDir))
    , projectName_(std::move(projectName))
    , packagePath_(ReplaceAll(std::move(packageName), ".", "/"))
{
}

std::string TOutputPaths::OutputRoot() const
{
    return rootDir_ + "/projects/" + projectName_;
}

std::string TOutputPaths::SourceDir() const
{
    return OutputRoot() + "/src";
}

std::string TOutputPaths::KindDir(const std::string& kind) const
{
    return SourceDir() + "/com/" + packagePath_ + "/" + kind;
}

std::string TOutputPaths::DisplaySource(const std::string& fileName) const
{
    return "projects/" + projectName_ + "/src/" + fileName;
}

std::string TOutputPaths::DisplayKind(const std::string& kind, const std::string& fileName) const
{
    return "projects/" + projectName_ + "/src/com/" + packagePath_ + "/" + kind + "/" + fileName;
}

std::string TOutputPaths::Directory(const std::string& relativeDir) const
{
    return relativeDir.empty() ? OutputRoot() : OutputRoot() + "/" + relativeDir;
}

TOutputFile TOutputPaths::Place(const TGeneratedFile& file) const
{
    std::string directory = Directory(file.dir);
    std::string path = directory + "/" + file.name;
    std::string bytes;
    switch (file.encoding) {
    case TEncoding::Gbk:
        bytes = TFileOperate::EncodeGbk(path, file.text);
        break;
    case TEncoding::Utf8Bom:
        bytes = "\xEF\xBB\xBF" + file.text;
        break;
    case TEncoding::Utf8:
    case TEncoding::Bytes:
        bytes = file.text;
        break;
    }
    return { directory, path, "projects/" + projectName_ + "/" + file.Relative(), std::move(bytes) };
}
