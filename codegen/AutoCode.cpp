#include "AutoCode.h"

#include "ActionOperate.h"
#include "ClassDAO.h"
#include "ConfigWriter.h"
#include "DaoOperate.h"
#include "DomainOperate.h"
#include "EntryRules.h"
#include "GenerationError.h"
#include "ReferenceCheck.h"
#include "RunContext.h"
#include "SupportFiles.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <thread>

std::string ProgramDirectory()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ".";
    return exe.parent_path().string();
}

TAutoCode::TAutoCode(int projectId, std::string projectName, std::string packageName, IGenerationListener& listener,
    TRunLocations locations)
    : projectId_(projectId)
    , projectName_(std::move(projectName))
    , packageName_(std::move(packageName))
    , listener_(listener)
    , locations_(std::move(locations))
{
}

void TAutoCode::Start(TAutoCode* run)
{
    std::thread([owned = std::unique_ptr<TAutoCode>(run)] { owned->Execute(); }).detach();
}

void TAutoCode::Execute()
{
    bool checked = false;
    try {
        // A database edited by another tool could hold a name that leads
        // out of the projects directory.
        TVerdict name = CheckProjectNameText(projectName_);
        if (projectName_.empty() || !name.Accepted())
            throw TGenerationError("工程名称“" + projectName_ + "”不能用作目录名：" +
                (name.Accepted() ? std::string("名称为空") : name.message));
        TClassDAO classStore;
        TIdList classes = classStore.ListClasses(projectId_);
        if (classStore.CheckPrimaryMembers(classes, listener_) && classStore.CheckDisplayMembers(classes, listener_)) {
            std::string missing = CheckReferenceMembers(projectId_, classes);
            if (!missing.empty()) {
                listener_.MissingReference(missing);
            } else {
                checked = true;
                std::string root = locations_.rootDir.empty() ? ProgramDirectory() : locations_.rootDir;
                TRunContext run { projectId_, projectName_, packageName_, locations_.templateDir,
                    TOutputPaths(root, projectName_, packageName_), listener_ };
                WriteStrutsConfig(run, classes);
                WriteHibernateConfig(run, classes);
                CopySupportFiles(run);
                TDomainOperate::WriteDomainClasses(run, classes);
                TActionOperate::WriteActionClasses(run, classes);
                TDaoOperate::WriteDaoClasses(run, classes);
                listener_.Done();
            }
        }
    } catch (const std::exception& e) {
        // Files already written stay; the user is told what stopped the run.
        listener_.Failed(checked ? e.what() : std::string("检查模型时出错：") + e.what());
    }
    listener_.Finished();
}
