#include "codegen/run/AutoCode.h"
#include "codegen/core/Target.h"

#include "codegen/core/GenerationError.h"
#include "codegen/io/FileOperate.h"
#include "codegen/io/TreeGuard.h"
#include "codegen/io/TreeLock.h"
#include "codegen/merge/MergePlan.h"
#include "codegen/run/FileSink.h"
#include "codegen/run/RunChecks.h"
#include "model/commands/ModelSnapshot.h"
#include "model/rules/EntryRules.h"

#include <exception>
#include <filesystem>
#include <set>
#include <thread>

namespace fs = std::filesystem;

std::string ProgramDirectory()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ".";
    return exe.parent_path().string();
}

void TAutoCode::Start(std::function<void()> body)
{
    std::thread(std::move(body)).detach();
}

TCheckResult PrepareRun(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, std::optional<TPreparedRun>& prepared)
{
    bool webapp = locations.webapp;
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
    TCheckResult check = CheckModel(snapshot, packageName, webapp, locations.target);
    if (!check.Passed())
        return check;
    TProjectDatabase database = snapshot.Database();
    TPreparedRun run { BuildClassData(std::move(snapshot)), {}, database };
    try {
        // Only what this run's generators read: an optional output's
        // template is not needed for a project that does not make it.
        TTemplates none;
        TGenInput probe { packageName, "", none, run.classes, webapp, database, projectName, locations.target };
        run.templates = TTemplates::Load(locations.templateDir, TemplatesUsed(probe), TemplateFolders());
    } catch (const TFileError& e) {
        return TCheckResult::Refuse(e.what());
    }
    prepared = std::move(run);
    return {};
}

TGenInput GeneratorInput(const TPreparedRun& prepared, const std::string& projectName, const std::string& packageName,
    bool webapp, const std::string& target)
{
    TGenInput in { packageName, TOutputPaths("", "", packageName).PackagePath(), prepared.templates, prepared.classes,
        webapp, prepared.database, projectName, target };
    return in;
}

void ForEachGeneratedFile(const TGenInput& in, const std::function<void(const TGeneratedFile&)>& take)
{
    TFiles files;
    for (const IGenerator* generator : Generators(in.target)) {
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

std::vector<std::string> RunDirectories(const TOutputPaths& paths, const TGenInput& in)
{
    std::set<std::string> relative;
    for (const IGenerator* generator : Generators(in.target))
        for (const auto& dir : generator->Directories(in))
            relative.insert(dir);
    std::vector<std::string> directories;
    for (const auto& dir : relative) {
        directories.push_back(paths.Directory(dir));
        directories.push_back(paths.Directory(".javagen/base/" + dir));
    }
    directories.push_back(paths.Directory(".javagen"));
    return directories;
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
        for (const IGenerator* generator : Generators(in.target)) {
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

namespace {

// Every file replaces what is on disk; the bases record what was written.
void WriteEveryFile(
    const TOutputPaths& paths, const TGenInput& in, const std::string& packageName, IGenerationListener& listener)
{
    // Every run records what it wrote, so that a later merge tells the
    // user's edits from the model's changes.
    // Each base write checks its way into the tree just before it acts.
    // A link planted on the way (a folder of the tree swapped for a link)
    // would take the files out of the tree: nothing is written then.
    const std::vector<std::string> directories = RunDirectories(paths, in);
    TTreeGuard guard(paths.OutputRoot());
    for (const auto& directory : directories) {
        std::string relative = fs::path(directory).lexically_relative(paths.OutputRoot()).generic_string();
        while (!relative.empty() && relative.back() == '/')
            relative.pop_back();
        std::string unsafe = relative.empty() || relative == "." ? "" : guard.Unsafe(relative, true);
        if (!unsafe.empty())
            throw TFileError(unsafe + "，生成的文件会写到工程目录之外：没有写入任何文件。请把它换成普通目录后再生成!");
    }
    TBaseStore bases(paths.OutputRoot(), false);
    TFileSink sink(listener, &bases);
    for (const auto& directory : directories)
        TFileOperate::RemoveLeftovers(directory);
    ForEachGeneratedFile(in, [&](const TGeneratedFile& file) { sink.Put(paths.Place(file), file.suffix); });
    sink.Finish();
    bases.WriteManifest(packageName, ClassNames(in), in.target);
    listener.Done();
}

// Decides every file against its base and the disk, writing nothing.
std::shared_ptr<const TMergePlan> PlanMerge(const TOutputPaths& paths, const TGenInput& in, const TRunRequest& request)
{
    TMergePlanner planner(paths.OutputRoot(), request.projectName, request.packageName);
    planner.SetRenamed(RenamedFiles(in, TBaseStore(paths.OutputRoot()).RecordedClasses()));
    ForEachGeneratedFile(in, [&](const TGeneratedFile& file) { planner.Put(paths.Place(file), file.suffix); });
    TMergePlan made = planner.Finish();
    made.deleteOldPackage = request.locations.deleteOldPackage;
    made.classes = ClassNames(in);
    made.webapp = request.locations.webapp;
    made.target = in.target;
    made.previousTarget = TBaseStore(paths.OutputRoot()).RecordedTarget();
    made.runDirectories = RunDirectories(paths, in);
    return std::make_shared<const TMergePlan>(std::move(made));
}

// The run once its checks have passed.
void GenerateChecked(const TPreparedRun& prepared, const TRunRequest& request, IGenerationListener& listener)
{
    const TRunLocations& locations = request.locations;
    std::string root = locations.rootDir.empty() ? ProgramDirectory() : locations.rootDir;
    TOutputPaths paths(root, request.projectName, request.packageName);
    TGenInput in =
        GeneratorInput(prepared, request.projectName, request.packageName, locations.webapp, locations.target);
    if (request.kind == TRunKind::MergeDryRun) {
        // A dry run writes nothing, not even the lock: an apply checks its plan.
        std::shared_ptr<const TMergePlan> plan = PlanMerge(paths, in, request);
        ReportMergePlan(*plan, listener);
        return listener.MergePlanned(plan);
    }
    TTreeLock lock(paths.OutputRoot());
    if (request.kind == TRunKind::Plain)
        return WriteEveryFile(paths, in, request.packageName, listener);
    listener.MergeDone(ApplyMergePlan(*PlanMerge(paths, in, request), listener));
}

} // namespace

void RunGeneration(const TRunRequest& request, IGenerationListener& listener)
{
    bool checked = false; // the model passed its checks: failures are the files'
    try {
        std::optional<TPreparedRun> prepared;
        TCheckResult check =
            PrepareRun(request.projectId, request.projectName, request.packageName, request.locations, prepared);
        if (!check.Passed()) {
            listener.CheckFailed(check);
        } else {
            checked = true;
            GenerateChecked(*prepared, request, listener);
        }
    } catch (const std::exception& e) {
        // Files already written stay; the user is told what stopped the run.
        listener.Failed(checked ? e.what() : std::string("检查模型时出错：") + e.what());
    }
    listener.Finished();
}

void RunApprovedPlan(const TMergePlan& plan, IGenerationListener& listener)
{
    try {
        TTreeLock lock(plan.outputRoot);
        listener.MergeDone(ApplyMergePlan(plan, listener));
    } catch (const TStalePlan& stale) {
        listener.PlanStale(stale.what());
    } catch (const std::exception& e) {
        listener.Failed(e.what());
    }
    listener.Finished();
}
