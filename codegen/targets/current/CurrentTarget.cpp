#include "codegen/targets/current/CurrentTarget.h"

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

// One Java class per model class, in a folder of the package.
class TClassFileGenerator : public IGenerator {
public:
    using TBuild = std::function<std::string(const TGenInput&, const TClassData&)>;
    TClassFileGenerator(const char* name, const char* kind, const char* suffix, int rank, TBuild build)
        : name_(name)
        , kind_(kind)
        , suffix_(suffix)
        , rank_(rank)
        , build_(std::move(build))
    {
    }
    const char* Name() const override { return name_; }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        out.push_back({ in.KindDir(kind_), c.name + suffix_, build_(in, c), TEncoding::Gbk, "生成完毕!" });
    }
    std::vector<std::string> ClassFileNames(const std::string& className) const override
    {
        return { className + suffix_ };
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir(kind_) }; }
    int PreviewRank() const override { return rank_; }

private:
    const char* name_;
    const char* kind_;
    const char* suffix_;
    int rank_;
    TBuild build_;
};

} // namespace

const std::vector<const IGenerator*>& CurrentGenerators()
{
    static const TSupportFileGenerator support(CurrentSupportFiles());
    static const TClassFileGenerator domain("domain", "domain", ".java", 2, BuildEntityClass);
    static const TClassFileGenerator action("action", "action", "Action.java", 4,
        [](const TGenInput& in, const TClassData& c) { return BuildCurrentActionClass(in.packageName, c); });
    static const TClassFileGenerator dao("dao", "dao", "DAO.java", 3,
        [](const TGenInput& in, const TClassData& c) { return BuildCurrentDaoClass(in.packageName, c, in.webapp); });
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
