#include "SupportFiles.h"

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

void CopySupportFiles(const TRunContext& run)
{
    for (const auto& file : SupportFileList()) {
        // The templates were read before the run began, so a copy can only
        // fail in writing, which ends the run like any other write.
        if (file.copied)
            run.PutKindBytes(file.kind, file.fileName, run.templates.Bytes(file.TemplatePath()), "移动完毕!");
        else
            run.PutKindFile(file.kind, file.fileName, run.SubstitutePackage(run.templates.Text(file.TemplatePath())),
                false, "移动完毕!");
    }
}
