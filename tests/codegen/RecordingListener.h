#pragma once
#include "codegen/merge/MergePlan.h"
#include "codegen/run/AutoCode.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Records what a run reports, in order, as the window would see it.
class TRecordingListener : public IGenerationListener {
public:
    void CheckFailed(const TCheckResult& result) override
    {
        if (result.kind == TCheckKind::PrimaryMember || result.kind == TCheckKind::DisplayMember) {
            Record("id:" + std::to_string(result.classId));
            errorClassId = result.classId;
        }
        Record("error:" + result.message);
    }
    void Progress(const std::string& line) override
    {
        std::lock_guard<std::mutex> guard(lock_);
        progress.push_back(line);
    }
    void Done() override { Record("done"); }
    void MergeDone(const TMergeSummary& made) override
    {
        Record("merged");
        std::lock_guard<std::mutex> guard(lock_);
        summary = made;
    }
    void MergePlanned(const std::shared_ptr<const TMergePlan>& made) override
    {
        {
            std::lock_guard<std::mutex> guard(lock_);
            plan = made;
        }
        IGenerationListener::MergePlanned(made);
    }
    void PlanStale(const std::string& message) override { Record("stale:" + message); }
    void Failed(const std::string& message) override { Record("failed:" + message); }
    void Finished() override
    {
        std::lock_guard<std::mutex> guard(lock_);
        finished_ = true;
        ended_.notify_all();
    }

    // Runs a generation on its own thread and waits for its end, at most
    // the given time; false when the run has not ended by then.
    bool RunAndWait(int projectId, const std::string& projectName, const std::string& packageName,
        const TRunLocations& locations, std::chrono::seconds limit = std::chrono::seconds(120))
    {
        TRunRequest request { projectId, projectName, packageName, locations, runKind };
        TAutoCode::Start([this, request] { RunGeneration(request, *this); });
        std::unique_lock<std::mutex> guard(lock_);
        return ended_.wait_for(guard, limit, [this] { return finished_; });
    }

    // Applies a plan made earlier and waits for the end.
    bool ApplyAndWait(std::shared_ptr<const TMergePlan> approved)
    {
        TAutoCode::Start([this, approved] { RunApprovedPlan(*approved, *this); });
        std::unique_lock<std::mutex> guard(lock_);
        return ended_.wait_for(guard, std::chrono::seconds(120), [this] { return finished_; });
    }

    // What RunAndWait starts: a plain run unless set otherwise.
    TRunKind runKind = TRunKind::Plain;
    std::vector<std::string> events;
    std::vector<std::string> progress;
    int errorClassId = 0;
    // What a merging generation (or its dry run) reported at its end.
    std::optional<TMergeSummary> summary;
    // The plan a dry run made.
    std::shared_ptr<const TMergePlan> plan;

private:
    void Record(const std::string& event)
    {
        std::lock_guard<std::mutex> guard(lock_);
        events.push_back(event);
    }

    std::mutex lock_;
    std::condition_variable ended_;
    bool finished_ = false;
};
