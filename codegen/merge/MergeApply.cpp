// Applying an approved merge plan: the tree is checked to be as the plan
// saw it, then every step is carried out and reported.
#include "codegen/merge/MergePlan.h"

#include "codegen/io/FileOperate.h"
#include "codegen/io/TreeGuard.h"

#include <exception>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The plan was made from what the files and bases held then; a plan whose
// files have changed since would undo the change.
void CheckStillCurrent(const TMergePlan& plan, const TBaseStore& bases)
{
    for (const auto& step : plan.steps) {
        if (step.action == TMergeAction::Refused)
            continue;
        if (!bases.Guard().Unsafe(step.relative).empty())
            throw TStalePlan(
                step.displayPath + " 在合并计划做出后变成了符号链接或其他文件，计划没有执行，请重新合并生成!");
        if (step.disk.Still(step.path, [&] { return TFileOperate::ReadIfRegular(step.path); }) &&
            step.base.Still(bases.BasePath(step.relative), [&] { return bases.Read(step.relative); }))
            continue;
        throw TStalePlan(step.displayPath + " 在合并计划做出后已被修改，计划没有执行，请重新合并生成!");
    }
}

// A NAME.new the user took over (the file now equals it) and its record.
void RemoveBeside(const TTreeGuard& guard, const std::string& relative)
{
    if (!guard.Unsafe(relative).empty() || !guard.Unsafe(".javagen/beside/" + relative).empty())
        return;
    const std::string& root = guard.Root();
    std::error_code ec;
    fs::remove(root + "/" + relative, ec);
    fs::remove(root + "/.javagen/beside/" + relative, ec);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    TFileOperate::MakeDirectory(fs::path(path).parent_path().string());
    TFileOperate::WriteBytes(path, bytes);
}

// What applying one step does to the tree.
void ApplyStep(const TMergePlan& plan, const TMergeStep& step, TBaseStore& bases)
{
    if (step.action == TMergeAction::Refused) {
        // Nothing of it is touched.
    } else if (step.action == TMergeAction::Obsolete) {
        // A base whose file is gone is simply dropped.
        if (!step.disk.exists) {
            bases.Remove(step.relative);
            return;
        }
        // Only a regular file inside the tree that still is its base
        // (and of an earlier package only when confirmed).
        if (plan.Deletes(step) && bases.Guard().Unsafe(step.relative).empty()) {
            std::error_code ec;
            fs::remove(step.path, ec);
            bases.Remove(step.relative);
        }
    } else {
        // The file first, then its base: interrupted between the two,
        // the next merge sees the new text on both sides and merges
        // cleanly.
        if (step.writeFile)
            WriteFile(step.path, step.merged ? *step.merged : step.newText);
        // The base is what the program last wrote to the path: for a
        // file it left alone and wrote beside, there is none yet, and the
        // next merge offers NAME.new again until the user's file matches.
        if (step.action == TMergeAction::Beside) {
            WriteFile(step.besidePath, step.newText);
            // What the program put there, so that a later merge knows the
            // file for its own.
            WriteFile(plan.outputRoot + "/.javagen/" + step.besideRecord, step.newText);
        } else if (step.action != TMergeAction::Unresolved && !step.baseCurrent) {
            bases.Write(step.relative, step.newText);
        }
        if (!step.adopted.empty())
            RemoveBeside(bases.Guard(), step.adopted);
    }
}

} // namespace

TMergeSummary ApplyMergePlan(const TMergePlan& plan, IGenerationListener& listener)
{
    CheckStillCurrent(plan, TBaseStore(plan.outputRoot));
    for (const auto& directory : plan.runDirectories)
        TFileOperate::RemoveLeftovers(directory);
    // Each write and delete checks its way into the tree just before it acts.
    TBaseStore bases(plan.outputRoot, false);
    TMergeSummary summary;
    if (!plan.TargetChange().empty())
        listener.Progress(plan.TargetChange());
    if (plan.oldPackageFiles > 0)
        listener.Progress(plan.PackageChange());
    {
        // Two steps applied at once (the writes are the work, and the kernel
        // does two at once); a step's own writes stay in their order. Each is
        // reported in plan order once it is done.
        TWorkQueue writers(2);
        for (const TMergeStep& step : plan.steps)
            writers.Add([&plan, &step, &bases] { ApplyStep(plan, step, bases); });
        for (size_t index = 0; index < plan.steps.size(); ++index) {
            const TMergeStep& step = plan.steps[index];
            writers.WaitFor(index);
            if (step.action == TMergeAction::Obsolete && !step.disk.exists)
                continue;
            summary.entries.push_back({ step.action, step.displayPath, plan.Deletes(step), plan.Why(step) });
            listener.Progress(step.displayPath + step.Outcome(step.suffix, plan.Deletes(step)));
        }
    }
    bases.WriteManifest(plan.package, plan.classes, plan.target);
    return summary;
}
