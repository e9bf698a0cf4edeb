#include "SupportFiles.h"

#include "FileOperate.h"

namespace {

struct TSupportFile {
    const char* kind;
    const char* fileName;
    bool copied; // byte-for-byte copy instead of read and substitute
};

// In the order they are placed and reported.
const TSupportFile kSupportFiles[] = {
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

} // namespace

void CopySupportFiles(const TRunContext& run)
{
    for (const auto& file : kSupportFiles) {
        std::string templatePath = std::string("src/com/packageName/") + file.kind + "/" + file.fileName;
        std::string target = run.paths.KindFile(file.kind, file.fileName);
        if (file.copied) {
            // A failed copy is not reported; the line is added all the same.
            TFileOperate::CopyFile(run.TemplatePath(templatePath), target);
        } else {
            std::string text = run.SubstitutePackage(run.ReadTemplate(templatePath));
            TFileOperate::WriteText(run.paths.KindDir(file.kind), target, text);
        }
        run.listener.Progress(run.paths.DisplayKind(file.kind, file.fileName) + "移动完毕!");
    }
}
