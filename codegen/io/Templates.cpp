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

} // namespace

TTemplates TTemplates::Load(const std::string& templateDir, const std::vector<TTemplateUse>& uses)
{
    struct stat info;
    if (stat(templateDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw TFileError("找不到模板目录 " + templateDir + "：程序在 " + Absolute(templateDir) +
            " 查找模板，该目录不存在。请从程序所在的目录启动程序。");
    TTemplates templates;
    auto read = [&](const std::string& relative) {
        std::string path = Absolute(templateDir + "/" + relative);
        struct stat file;
        if (stat(path.c_str(), &file) != 0)
            throw TFileError("找不到模板文件 " + path + "，无法生成代码。");
        return TFileOperate::ReadFileBytes(path);
    };
    auto readText = [&](const std::string& relative) {
        std::string bytes = read(relative);
        try {
            templates.texts_[relative] = GbkToUtf8(TFileOperate::NormalizeLines(bytes));
        } catch (const std::exception&) {
            throw TFileError("模板文件 " + Absolute(templateDir + "/" + relative) + " 不是 GBK 编码的文本。");
        }
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
