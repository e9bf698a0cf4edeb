// Applying an approved merge plan: the tree is checked to be as the plan
// saw it, then every step is carried out and reported.
#include "MergePlan.h"

#include "FileOperate.h"
#include "TreeGuard.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
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
        if (step.disk.Still(step.path, [&] { return ReadIfPresent(step.path); }) &&
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

// Two threads apply the steps, each taking the next one not yet taken:
// the writes are the work, and the kernel does two at once. A step's own
// writes stay in their order. The first failure stops both; it is thrown
// to whoever waits for a step not done.
class TStepWriters {
public:
    TStepWriters(const TMergePlan& plan, TBaseStore& bases)
        : plan_(plan)
        , bases_(bases)
        , done_(plan.steps.size(), false)
    {
        try {
            for (int i = 0; i < 2; ++i)
                threads_.emplace_back([this] { Work(); });
        } catch (...) {
            // No thread to be had: the ones started stop, the run fails.
            Stop();
            throw;
        }
    }
    ~TStepWriters() { Stop(); }
    TStepWriters(const TStepWriters&) = delete;
    TStepWriters& operator=(const TStepWriters&) = delete;

    // Waits until step index is applied.
    void WaitFor(size_t index)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_[index] || failure_; });
        if (!done_[index])
            std::rethrow_exception(failure_);
    }

private:
    void Stop()
    {
        stop_ = true;
        for (auto& thread : threads_)
            thread.join();
    }

    void Work()
    {
        for (size_t index = next_++; index < done_.size() && !stop_; index = next_++) {
            try {
                ApplyStep(plan_, plan_.steps[index], bases_);
            } catch (...) {
                std::lock_guard lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                stop_ = true;
                changed_.notify_all();
                return;
            }
            std::lock_guard lock(mutex_);
            done_[index] = true;
            changed_.notify_all();
        }
    }

    const TMergePlan& plan_;
    TBaseStore& bases_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> done_; // under mutex_
    std::exception_ptr failure_; // under mutex_
    std::atomic<size_t> next_ { 0 };
    std::atomic<bool> stop_ { false };
    std::vector<std::thread> threads_; // last: started once the rest is ready
};

} // namespace

TMergeSummary ApplyMergePlan(const TMergePlan& plan, IGenerationListener& listener)
{
    CheckStillCurrent(plan, TBaseStore(plan.outputRoot));
    // Each write and delete checks its way into the tree just before it acts.
    TBaseStore bases(plan.outputRoot, false);
    TMergeSummary summary;
    if (plan.oldPackageFiles > 0)
        listener.Progress(plan.PackageChange());
    {
        // Reported in plan order, each once it is done.
        TStepWriters writers(plan, bases);
        for (size_t index = 0; index < plan.steps.size(); ++index) {
            const TMergeStep& step = plan.steps[index];
            writers.WaitFor(index);
            if (step.action == TMergeAction::Obsolete && !step.disk.exists)
                continue;
            summary.entries.push_back({ step.action, step.displayPath, plan.Deletes(step), plan.Why(step) });
            listener.Progress(step.displayPath + step.Outcome(step.suffix, plan.Deletes(step)));
        }
    }
    bases.WriteManifest(plan.package, plan.classes);
    return summary;
}
