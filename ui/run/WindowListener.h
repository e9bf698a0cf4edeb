#pragma once
#include "codegen/core/GenerationListener.h"

#include <QPointer>
#include <Qt>

#include <functional>

class TRunController;

// Receives one generation run's reports on the run's thread and hands each
// to the window's thread. Progress lines are queued without waiting (they
// still arrive in order, through the one event queue); every other report
// waits until the window has dealt with it, message box included. It
// outlives the window if need be: the window's run controller is reached
// through a guarded pointer, and calls go through the application object,
// which lives longer than any window. The last report of a run, Finished,
// frees the listener.
class TWindowListener : public IGenerationListener {
public:
    explicit TWindowListener(TRunController* runs);

    void Progress(const std::string& line) override;
    void CheckFailed(const TCheckResult& result) override;
    void Done() override;
    void MergeDone(const TMergeSummary& summary) override;
    void MergePlanned(const std::shared_ptr<const TMergePlan>& plan) override;
    void PlanStale(const std::string& message) override;
    void Failed(const std::string& message) override;
    void Finished() override;

private:
    void OnWindowThread(
        std::function<void(TRunController&)> action, Qt::ConnectionType type = Qt::BlockingQueuedConnection);

    QPointer<TRunController> runs_;
};
