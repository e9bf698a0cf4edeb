#include "codegen/targets/legacy/SupportFiles.h"

const std::vector<TSupportFile>& SupportFileList()
{
    static const std::vector<TSupportFile> files = {
        { "test", "TestUtil.java", false },
        { "utils", "HibernateUtil.java", false },
        { "utils", "CardIdFieldValidator.java", false },
        { "action", "LoginAction.java", false },
        { "action", "LoginAction-login_CheckLogin-validation.xml", true },
        { "action", "UserAction.java", false },
        { "action", "ChangePasswordAction.java", false },
        { "dao", "AdminDAO.java", false },
        { "domain", "Admin.java", false },
        { "domain", "Admin.hbm.xml", false },
        { "domain", "Admin-admin-validation.xml", true },
    };
    return files;
}

void TSupportFileGenerator::ProjectFiles(const TGenInput& in, TFiles& out) const
{
    for (const auto& file : files_) {
        // The templates were read before the run began, so a copy can
        // only fail in writing, which ends the run like any other write.
        if (file.copied)
            out.push_back({ in.KindDir(file.kind), file.fileName, in.templates.Bytes(file.TemplatePath()),
                TEncoding::Bytes, "移动完毕!" });
        else
            out.push_back({ in.KindDir(file.kind), file.fileName,
                in.SubstitutePackage(in.templates.Text(file.TemplatePath())), TEncoding::Gbk, "移动完毕!" });
    }
}

std::vector<std::string> TSupportFileGenerator::Directories(const TGenInput& in) const
{
    std::vector<std::string> dirs;
    for (const char* kind : { "test", "utils", "action", "dao", "domain" })
        dirs.push_back(in.KindDir(kind));
    return dirs;
}

std::vector<TTemplateUse> TSupportFileGenerator::TemplatesUsed() const
{
    std::vector<TTemplateUse> uses;
    for (const auto& file : files_)
        uses.push_back({ file.TemplatePath(), file.copied });
    return uses;
}

const IGenerator& SupportFileGenerator()
{
    static const TSupportFileGenerator generator(SupportFileList());
    return generator;
}
