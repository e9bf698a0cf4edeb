#pragma once
#include "GenerationListener.h"

#include <QPointer>
#include <Qt>

#include <functional>

class TFormMain;

// Receives one generation run's reports on the run's thread and hands each
// to the window's thread. Progress lines are queued without waiting (they
// still arrive in order, through the one event queue); every other report
// waits until the window has dealt with it, message box included. It
// outlives the window if need be: the window is reached through a guarded
// pointer, and calls go through the application object, which lives longer
// than any window. The last report of a run, Finished, frees the listener.
class TWindowListener : public IGenerationListener {
public:
    // planOnly: the run is a merge's dry run; its lines are the plan, not
    // progress, and its end shows the plan.
    explicit TWindowListener(TFormMain* window, bool planOnly = false);

    void Progress(const std::string& line) override;
    void CheckFailed(const TCheckResult& result) override;
    void Done() override;
    void MergeDone(const TMergeSummary& summary) override;
    void MergePlanned(const std::shared_ptr<const TMergePlan>& plan) override;
    void PlanStale(const std::string& message) override;
    void Failed(const std::string& message) override;
    void Finished() override;

private:
    void OnWindowThread(std::function<void(TFormMain&)> action, Qt::ConnectionType type = Qt::BlockingQueuedConnection);

    QPointer<TFormMain> window_;
    bool planOnly_;
};
