#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/core/ClassFileGenerator.h"
#include "codegen/core/DatabaseUse.h"

#include "codegen/targets/legacy/AdminTableScript.h"
#include "codegen/targets/legacy/SupportFiles.h"
#include "codegen/targets/legacy/WebPages.h"

#include <functional>

const IGenerator& CurrentStrutsGenerator();
const IGenerator& CurrentHibernateGenerator();
const IGenerator& CurrentWebGenerator();

namespace {

// Each from the target's own template folder where its text differs,
// from the shared one (the legacy target's) where it does not.
const std::vector<TSupportFile>& CurrentSupportFiles()
{
    static const std::vector<TSupportFile> files = {
        { "test", "TestUtil.java", false, "current/" },
        { "utils", "HibernateUtil.java", false, "current/" },
        { "utils", "EmptyAsNull.java", false, "current/" },
        { "utils", "CardIdFieldValidator.java", false, "current/" },
        { "action", "LoginAction.java", false, "current/" },
        { "action", "LoginAction-login_CheckLogin-validation.xml", true, "" },
        { "action", "UserAction.java", false, "current/" },
        { "action", "ChangePasswordAction.java", false, "current/" },
        { "dao", "AdminDAO.java", false, "current/" },
        { "domain", "Admin.java", false, "current/" },
        { "domain", "Admin-admin-validation.xml", true, "" },
    };
    return files;
}

} // namespace

const std::vector<const IGenerator*>& CurrentGenerators()
{
    static const TSupportFileGenerator support(CurrentSupportFiles());
    static const TClassFileGenerator domain("domain", "domain", ".java", 2, BuildEntityClass);
    static const TClassFileGenerator action("action", "action", "Action.java", 4,
        [](const TGenInput& in, const TClassData& c) { return BuildCurrentActionClass(in.packageName, c); });
    static const TClassFileGenerator dao("dao", "dao", "DAO.java", 3, [](const TGenInput& in, const TClassData& c) {
        return BuildCurrentDaoClass(in.packageName, c, in.webapp, UsesPostgresql(in.database));
    });
    static const std::vector<const IGenerator*> list = {
        &CurrentStrutsGenerator(),
        &CurrentHibernateGenerator(),
        &support,
        &domain,
        &action,
        &dao,
        &AdminTableScriptGenerator(),
        &CurrentWebGenerator(),
        &ValidationGenerator(),
    };
    return list;
}
