#include "BaseStore.h"

#include "FileOperate.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace fs = std::filesystem;

TBaseStore::TBaseStore(std::string outputRoot)
    : outputRoot_(std::move(outputRoot))
    , baseDir_(outputRoot_ + "/.javagen/base")
{
}

bool TBaseStore::Exists() const
{
    std::error_code ec;
    return fs::is_directory(baseDir_, ec);
}

std::string TBaseStore::BasePath(const std::string& relative) const
{
    return baseDir_ + "/" + relative;
}

std::string TBaseStore::Relative(const std::string& path) const
{
    std::string prefix = outputRoot_ + "/";
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

std::optional<std::string> TBaseStore::Read(const std::string& relative) const
{
    std::error_code ec;
    if (!fs::is_regular_file(BasePath(relative), ec))
        return std::nullopt;
    return TFileOperate::ReadFileBytes(BasePath(relative));
}

void TBaseStore::Write(const std::string& relative, const std::string& bytes)
{
    std::string path = BasePath(relative);
    TFileOperate::MakeDirectory(fs::path(path).parent_path().string());
    TFileOperate::WriteBytes(path, bytes);
}

void TBaseStore::Remove(const std::string& relative)
{
    std::error_code ec;
    fs::remove(BasePath(relative), ec);
}

std::set<std::string> TBaseStore::List() const
{
    std::set<std::string> files;
    std::error_code ec;
    if (!Exists())
        return files;
    for (fs::recursive_directory_iterator it(baseDir_, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        // Temporary files of an interrupted write are not bases.
        if (it->is_regular_file(ec) && name.find(".javagen-") == std::string::npos)
            files.insert(fs::relative(it->path(), baseDir_).generic_string());
    }
    return files;
}

void TBaseStore::WriteManifest() const
{
    nlohmann::ordered_json manifest;
    manifest["format"] = 1;
    manifest["note"] = "javagen 合并生成所用的基准文件清单(程序上次写入各文件的内容在 base/ 下)，请勿手工修改";
    manifest["files"] = nlohmann::json::array();
    for (const auto& file : List())
        manifest["files"].push_back(file);
    TFileOperate::WriteBytes(outputRoot_ + "/.javagen/manifest.json", manifest.dump(2) + "\n");
}
