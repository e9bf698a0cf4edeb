#include "AutoCode.h"

#include "ActionOperate.h"
#include "ClassData.h"
#include "ConfigWriter.h"
#include "DaoOperate.h"
#include "DomainOperate.h"
#include "EntryRules.h"
#include "FileOperate.h"
#include "FileSink.h"
#include "GenerationError.h"
#include "MergeSink.h"
#include "ModelSnapshot.h"
#include "RunChecks.h"
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
    TRunLocations locations, TRunKind kind)
    : projectId_(projectId)
    , projectName_(std::move(projectName))
    , packageName_(std::move(packageName))
    , listener_(listener)
    , locations_(std::move(locations))
    , kind_(kind)
{
}

void TAutoCode::Start(TAutoCode* run)
{
    std::thread([owned = std::unique_ptr<TAutoCode>(run)] { owned->Execute(); }).detach();
}

std::optional<TPreparedRun> PrepareRun(int projectId, const std::string& projectName, const std::string& packageName,
    const std::string& templateDir, IModelCheckReport& report, std::string& refusal)
{
    // A database edited by another tool could hold a name that leads out of
    // the projects directory.
    TVerdict name = CheckProjectNameText(projectName);
    if (projectName.empty() || !name.Accepted())
        throw TGenerationError("工程名称“" + projectName + "”不能用作目录名：" +
            (name.Accepted() ? std::string("名称为空") : name.message));
    TModelSnapshot snapshot = TModelSnapshot::Read(projectId);
    if (!CheckPrimaryMembers(snapshot, report) || !CheckDisplayMembers(snapshot, report))
        return std::nullopt;
    for (const auto& check :
        { CheckReferenceMembers(snapshot), CheckJavaNames(snapshot), CheckOutputPaths(snapshot, packageName) })
        if (!check.empty()) {
            refusal = check;
            return std::nullopt;
        }
    try {
        // The class data points into the snapshot, which moves along with it
        // (a vector's elements stay where they are when the vector moves).
        TIdList classList = snapshot.ListClasses();
        std::vector<TClassData> classes = BuildClassData(snapshot);
        return TPreparedRun { std::move(snapshot), std::move(classList), std::move(classes),
            TTemplates::Load(templateDir) };
    } catch (const TFileError& e) {
        refusal = e.what();
        return std::nullopt;
    }
}

void PutAllFiles(const TRunContext& run, const TPreparedRun& prepared)
{
    WriteStrutsConfig(run, prepared.classList);
    WriteHibernateConfig(run, prepared.classes);
    CopySupportFiles(run);
    TDomainOperate::WriteDomainClasses(run, prepared.classes);
    TActionOperate::WriteActionClasses(run, prepared.classes);
    TDaoOperate::WriteDaoClasses(run, prepared.classes);
}

void TAutoCode::Execute()
{
    bool checked = false;
    try {
        std::string refusal;
        auto prepared = PrepareRun(projectId_, projectName_, packageName_, locations_.templateDir, listener_, refusal);
        if (!refusal.empty()) {
            listener_.ModelRefused(refusal);
        } else if (prepared) {
            checked = true;
            std::string root = locations_.rootDir.empty() ? ProgramDirectory() : locations_.rootDir;
            TOutputPaths paths(root, projectName_, packageName_);
            if (kind_ == TRunKind::Plain) {
                TBaseStore bases(paths.OutputRoot());
                bool merged = bases.Exists();
                TFileSink sink(listener_, merged ? &bases : nullptr);
                TRunContext run { projectName_, packageName_, prepared->templates, paths, listener_, sink };
                RemoveRunLeftovers(paths);
                PutAllFiles(run, *prepared);
                sink.Finish();
                if (merged)
                    bases.WriteManifest();
                listener_.Done();
            } else {
                bool dryRun = kind_ == TRunKind::MergeDryRun;
                TMergeSink sink(listener_, paths.OutputRoot(), projectName_, dryRun);
                TRunContext run { projectName_, packageName_, prepared->templates, paths, listener_, sink };
                if (!dryRun)
                    RemoveRunLeftovers(paths);
                PutAllFiles(run, *prepared);
                sink.FinishObsolete();
                listener_.MergeDone(sink.Summary());
            }
        }
    } catch (const std::exception& e) {
        // Files already written stay; the user is told what stopped the run.
        listener_.Failed(checked ? e.what() : std::string("检查模型时出错：") + e.what());
    }
    listener_.Finished();
}

void RemoveRunLeftovers(const TOutputPaths& paths)
{
    // The directories a run writes, and their bases of a merging generation.
    std::string root = paths.OutputRoot();
    std::vector<std::string> directories = { paths.SourceDir() };
    for (const char* kind : { "action", "dao", "domain", "test", "utils" })
        directories.push_back(paths.KindDir(kind));
    for (const auto& directory : directories) {
        TFileOperate::RemoveLeftovers(directory);
        TFileOperate::RemoveLeftovers(root + "/.javagen/base" + directory.substr(root.size()));
    }
    TFileOperate::RemoveLeftovers(root + "/.javagen");
}
