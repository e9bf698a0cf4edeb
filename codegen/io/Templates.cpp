#include "codegen/io/Templates.h"

#include "codegen/io/FileOperate.h"
#include "model/store/TextCodec.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

const char* const TTemplates::kStruts = "src/struts.xml";
const char* const TTemplates::kHibernate = "src/hibernate.cfg.xml";
const char* const TTemplates::kMapping = "src/com/packageName/domain/className.hbm.xml";

namespace {

std::string Absolute(const std::string& path)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

// The folder whose target a path belongs to: the longest that starts it.
const TTemplateFolder* OwnerOf(const std::string& path, const std::vector<TTemplateFolder>& folders)
{
    const TTemplateFolder* owner = nullptr;
    for (const auto& folder : folders)
        if (path.compare(0, folder.folder.size(), folder.folder) == 0 &&
            (!owner || folder.folder.size() > owner->folder.size()))
            owner = &folder;
    return owner;
}

} // namespace

std::string TargetLines(const std::string& text, const std::string& target)
{
    const std::string mine = "@@" + target + "@@";
    std::string out;
    out.reserve(text.size());
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(start, 2, "@@") != 0) {
            out.append(text, start, end - start);
        } else if (text.compare(start, mine.size(), mine) == 0) {
            out.append(text, start + mine.size(), end - start - mine.size());
        } else {
            // Another target's line; "@@" that names no target is text.
            size_t close = text.find("@@", start + 2);
            if (close == std::string::npos || close >= end || close == start + 2 ||
                text.find_first_of(" \t", start + 2) < close)
                out.append(text, start, end - start);
        }
        start = end;
    }
    return out;
}

TTemplates TTemplates::Load(
    const std::string& templateDir, const std::vector<TTemplateUse>& uses, const std::vector<TTemplateFolder>& folders)
{
    struct stat info;
    if (stat(templateDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw TFileError("找不到模板目录 " + templateDir + "：程序在 " + Absolute(templateDir) +
            " 查找模板，该目录不存在。请从程序所在的目录启动程序。");
    TTemplates templates;
    // Where a template is: in its target's folder, else in the shared tree.
    auto locate = [&](const std::string& relative) {
        std::string path = Absolute(templateDir + "/" + relative);
        struct stat file;
        const TTemplateFolder* owner = OwnerOf(relative, folders);
        if (stat(path.c_str(), &file) != 0 && owner && !owner->folder.empty()) {
            std::string shared = Absolute(templateDir + "/" + relative.substr(owner->folder.size()));
            if (stat(shared.c_str(), &file) == 0)
                return shared;
        }
        if (stat(path.c_str(), &file) != 0)
            throw TFileError("找不到模板文件 " + path + "，无法生成代码。");
        return path;
    };
    auto read = [&](const std::string& relative) { return TFileOperate::ReadFileBytes(locate(relative)); };
    auto readText = [&](const std::string& relative) {
        std::string path = locate(relative);
        std::string bytes = TFileOperate::ReadFileBytes(path);
        std::string text;
        try {
            text = GbkToUtf8(TFileOperate::NormalizeLines(bytes));
        } catch (const std::exception&) {
            throw TFileError("模板文件 " + path + " 不是 GBK 编码的文本。");
        }
        const TTemplateFolder* owner = OwnerOf(relative, folders);
        templates.texts_[relative] = owner ? TargetLines(text, owner->target) : text;
    };
    for (const auto& use : uses) {
        if (use.bytes)
            templates.bytes_[use.path] = read(use.path);
        else
            readText(use.path);
    }
    return templates;
}

const std::string& TTemplates::Text(const std::string& relative) const
{
    return texts_.at(relative);
}

const std::string& TTemplates::Bytes(const std::string& relative) const
{
    return bytes_.at(relative);
}
