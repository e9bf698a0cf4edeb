#include "AutoCode.h"

#include "EntryRules.h"
#include "FileOperate.h"
#include "FileSink.h"
#include "GenerationError.h"
#include "MergePlan.h"
#include "ModelSnapshot.h"
#include "RunChecks.h"
#include "TreeLock.h"

#include <exception>
#include <filesystem>
#include <set>
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

TAutoCode::TAutoCode(std::shared_ptr<const TMergePlan> plan, IGenerationListener& listener)
    : listener_(listener)
    , kind_(TRunKind::MergeApply)
    , plan_(std::move(plan))
{
}

void TAutoCode::Start(TAutoCode* run)
{
    std::thread([owned = std::unique_ptr<TAutoCode>(run)] { owned->Execute(); }).detach();
}

TCheckResult PrepareRun(int projectId, const std::string& projectName, const std::string& packageName,
    const std::string& templateDir, bool webapp, std::optional<TPreparedRun>& prepared)
{
    // A database edited by another tool could hold a name that leads out of
    // the projects directory.
    TVerdict name = CheckProjectNameText(projectName);
    if (projectName.empty() || !name.Accepted())
        throw TGenerationError("工程名称“" + projectName + "”不能用作目录名：" +
            (name.Accepted() ? std::string("名称为空") : name.message));
    TModelSnapshot snapshot = TModelSnapshot::Read(projectId);
    // The project was chosen by name before the snapshot was read: deleted
    // or renamed meanwhile, it is not the project the user asked for.
    if (snapshot.ProjectName() != projectName)
        return TCheckResult::Refuse("工程“" + projectName + "”已不存在或已被改名，没有生成任何文件!");
    TCheckResult check = CheckModel(snapshot, packageName, webapp);
    if (!check.Passed())
        return check;
    TProjectDatabase database = snapshot.Database();
    TPreparedRun run { BuildClassData(std::move(snapshot)), {}, database };
    try {
        // Only what this run's generators read: an optional output's
        // template is not needed for a project that does not make it.
        TTemplates none;
        TGenInput probe { packageName, "", none, run.classes, webapp, database, projectName };
        run.templates = TTemplates::Load(templateDir, TemplatesUsed(probe));
    } catch (const TFileError& e) {
        return TCheckResult::Refuse(e.what());
    }
    prepared = std::move(run);
    return {};
}

TGenInput GeneratorInput(
    const TPreparedRun& prepared, const std::string& projectName, const std::string& packageName, bool webapp)
{
    TGenInput in { packageName, TOutputPaths("", "", packageName).PackagePath(), prepared.templates, prepared.classes,
        webapp, prepared.database, projectName };
    return in;
}

void ForEachGeneratedFile(const TGenInput& in, const std::function<void(const TGeneratedFile&)>& take)
{
    TFiles files;
    for (const IGenerator* generator : Generators()) {
        if (!generator->Enabled(in))
            continue;
        files.clear();
        generator->ProjectFiles(in, files);
        for (const auto& file : files)
            take(file);
        for (const auto& c : in.classes) {
            files.clear();
            generator->ClassFiles(in, c, files);
            for (const auto& file : files)
                take(file);
        }
    }
}

void RemoveRunLeftovers(const TOutputPaths& paths, const TGenInput& in)
{
    // The directories a run writes, and their bases of a merging generation.
    std::set<std::string> directories;
    for (const IGenerator* generator : Generators())
        for (const auto& dir : generator->Directories(in))
            directories.insert(dir);
    for (const auto& dir : directories) {
        TFileOperate::RemoveLeftovers(paths.Directory(dir));
        TFileOperate::RemoveLeftovers(paths.Directory(".javagen/base/" + dir));
    }
    TFileOperate::RemoveLeftovers(paths.Directory(".javagen"));
}

namespace {

// The run's classes by id, as the manifest records them.
std::map<int, std::string> ClassNames(const TGenInput& in)
{
    std::map<int, std::string> classes;
    for (const auto& c : in.classes)
        classes[c.classId] = c.name;
    return classes;
}

// The files of every class renamed since the last run (same id, another
// name): the path each generator now writes -> the path it wrote for the
// old name.
std::map<std::string, std::string> RenamedFiles(const TGenInput& in, const std::map<int, std::string>& recorded)
{
    std::map<int, std::string> now = ClassNames(in);
    std::set<std::string> names;
    for (const auto& entry : now)
        names.insert(entry.second);
    std::map<std::string, std::string> renamed;
    for (const auto& c : in.classes) {
        auto was = recorded.find(c.classId);
        if (was == recorded.end() || was->second == c.name || names.count(was->second))
            continue;
        TClassData old = c;
        old.name = was->second;
        for (const IGenerator* generator : Generators()) {
            if (!generator->Enabled(in))
                continue;
            TFiles newFiles, oldFiles;
            generator->ClassFiles(in, c, newFiles);
            generator->ClassFiles(in, old, oldFiles);
            for (size_t i = 0; i < newFiles.size() && i < oldFiles.size(); ++i)
                renamed[newFiles[i].Relative()] = oldFiles[i].Relative();
        }
    }
    return renamed;
}

} // namespace

void TAutoCode::Generate()
{
    std::optional<TPreparedRun> prepared;
    TCheckResult check =
        PrepareRun(projectId_, projectName_, packageName_, locations_.templateDir, locations_.webapp, prepared);
    if (!check.Passed())
        return listener_.CheckFailed(check);
    checked_ = true;
    std::string root = locations_.rootDir.empty() ? ProgramDirectory() : locations_.rootDir;
    TOutputPaths paths(root, projectName_, packageName_);
    TGenInput in = GeneratorInput(*prepared, projectName_, packageName_, locations_.webapp);
    // A dry run writes nothing, not even the lock: an apply checks its plan.
    std::optional<TTreeLock> lock;
    if (kind_ != TRunKind::MergeDryRun)
        lock.emplace(paths.OutputRoot());
    if (kind_ == TRunKind::Plain) {
        // Every run records what it wrote, so that a later merge tells the
        // user's edits from the model's changes.
        // Each base write checks its way into the tree just before it acts.
        TBaseStore bases(paths.OutputRoot(), false);
        TFileSink sink(listener_, &bases);
        RemoveRunLeftovers(paths, in);
        ForEachGeneratedFile(in, [&](const TGeneratedFile& file) { sink.Put(paths.Place(file), file.suffix); });
        sink.Finish();
        bases.WriteManifest(packageName_, ClassNames(in));
        return listener_.Done();
    }
    TMergePlanner planner(paths.OutputRoot(), projectName_, packageName_);
    planner.SetRenamed(RenamedFiles(in, TBaseStore(paths.OutputRoot()).RecordedClasses()));
    ForEachGeneratedFile(in, [&](const TGeneratedFile& file) { planner.Put(paths.Place(file), file.suffix); });
    TMergePlan made = planner.Finish();
    made.deleteOldPackage = locations_.deleteOldPackage;
    made.classes = ClassNames(in);
    made.webapp = locations_.webapp;
    auto plan = std::make_shared<const TMergePlan>(std::move(made));
    if (kind_ == TRunKind::MergeDryRun) {
        ReportMergePlan(*plan, listener_);
        return listener_.MergePlanned(plan);
    }
    RemoveRunLeftovers(paths, in);
    listener_.MergeDone(ApplyMergePlan(*plan, listener_));
}

void TAutoCode::Execute()
{
    try {
        if (kind_ != TRunKind::MergeApply) {
            Generate();
        } else {
            checked_ = true;
            try {
                TTreeLock lock(plan_->outputRoot);
                listener_.MergeDone(ApplyMergePlan(*plan_, listener_));
            } catch (const TStalePlan& stale) {
                listener_.PlanStale(stale.what());
            }
        }
    } catch (const std::exception& e) {
        // Files already written stay; the user is told what stopped the run.
        listener_.Failed(checked_ ? e.what() : std::string("检查模型时出错：") + e.what());
    }
    listener_.Finished();
}
