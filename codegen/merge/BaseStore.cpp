#include "codegen/merge/BaseStore.h"

#include "codegen/io/FileOperate.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace fs = std::filesystem;

TBaseStore::TBaseStore(std::string outputRoot, bool rememberDirectories)
    : outputRoot_(std::move(outputRoot))
    , baseDir_(outputRoot_ + "/.javagen/base")
    , guard_(outputRoot_, rememberDirectories)
{
}

bool TBaseStore::Exists() const
{
    // A planted link is no store of ours: it is never followed.
    std::error_code ec;
    return guard_.Unsafe(".javagen/base", true).empty() && fs::is_directory(fs::symlink_status(baseDir_, ec));
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

std::optional<std::string> TBaseStore::Read(const std::string& relative, TFileStamp* stamp) const
{
    if (!guard_.Unsafe(".javagen/base/" + relative).empty())
        return std::nullopt;
    return TFileOperate::ReadIfRegular(BasePath(relative), stamp);
}

void TBaseStore::Write(const std::string& relative, const std::string& bytes)
{
    std::string unsafe = guard_.Unsafe(".javagen/base/" + relative);
    if (!unsafe.empty())
        throw TFileError("无法写入基准文件：" + unsafe);
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
    return Listing().files;
}

std::set<std::string> TBaseStore::Strays() const
{
    return Listing().strays;
}

TBaseStore::TListing TBaseStore::Listing() const
{
    TListing listing;
    std::error_code ec;
    if (!Exists())
        return listing;
    // Links are not followed (the iterator does not enter linked
    // directories, and a linked file is no base).
    for (fs::recursive_directory_iterator it(baseDir_, ec), end; !ec && it != end; it.increment(ec)) {
        fs::file_type type = it->symlink_status(ec).type();
        if (type == fs::file_type::directory)
            continue;
        std::string relative = it->path().lexically_relative(baseDir_).generic_string();
        // Temporary files of an interrupted write are not bases.
        if (type != fs::file_type::regular)
            listing.strays.insert(std::move(relative));
        else if (it->path().filename().string().find(".javagen-") == std::string::npos)
            listing.files.insert(std::move(relative));
    }
    return listing;
}

std::string TBaseStore::RecordedPackage() const
{
    // Input like anything in the tree: a link or a broken file tells nothing.
    std::string relative = ".javagen/manifest.json";
    if (!guard_.Unsafe(relative).empty())
        return "";
    try {
        auto manifest = nlohmann::json::parse(TFileOperate::ReadFileBytes(outputRoot_ + "/" + relative));
        auto package = manifest.find("package");
        return package != manifest.end() && package->is_string() ? package->get<std::string>() : "";
    } catch (const std::exception&) {
        return "";
    }
}

std::string TBaseStore::RecordedTarget() const
{
    std::string relative = ".javagen/manifest.json";
    if (!guard_.Unsafe(relative).empty())
        return "";
    try {
        auto manifest = nlohmann::json::parse(TFileOperate::ReadFileBytes(outputRoot_ + "/" + relative));
        auto target = manifest.find("target");
        return target != manifest.end() && target->is_string() ? target->get<std::string>() : "legacy";
    } catch (const std::exception&) {
        return "";
    }
}

std::map<int, std::string> TBaseStore::RecordedClasses() const
{
    std::map<int, std::string> classes;
    std::string relative = ".javagen/manifest.json";
    if (!guard_.Unsafe(relative).empty())
        return classes;
    try {
        auto manifest = nlohmann::json::parse(TFileOperate::ReadFileBytes(outputRoot_ + "/" + relative));
        auto recorded = manifest.find("classes");
        if (recorded != manifest.end() && recorded->is_object())
            for (const auto& [id, name] : recorded->items())
                if (name.is_string())
                    classes[std::stoi(id)] = name.get<std::string>();
    } catch (const std::exception&) {
        classes.clear();
    }
    return classes;
}

void TBaseStore::WriteManifest(
    const std::string& package, const std::map<int, std::string>& classes, const std::string& target) const
{
    nlohmann::ordered_json manifest;
    manifest["format"] = 1;
    manifest["note"] = "javagen 合并生成所用的基准文件清单(程序上次写入各文件的内容在 base/ 下)，请勿手工修改";
    manifest["package"] = package;
    manifest["target"] = target;
    manifest["classes"] = nlohmann::ordered_json::object();
    for (const auto& [id, name] : classes)
        manifest["classes"][std::to_string(id)] = name;
    manifest["files"] = nlohmann::json::array();
    for (const auto& file : List())
        manifest["files"].push_back(file);
    std::string unsafe = guard_.Unsafe(".javagen/manifest.json");
    if (!unsafe.empty())
        throw TFileError("无法写入基准文件清单：" + unsafe);
    TFileOperate::WriteBytes(outputRoot_ + "/.javagen/manifest.json", manifest.dump(2) + "\n");
}
