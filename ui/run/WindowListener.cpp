#include "ui/run/WindowListener.h"

#include "ui/dialogs/UiText.h"
#include "ui/run/RunController.h"

#include <QCoreApplication>
#include <QThread>

TWindowListener::TWindowListener(TRunController* runs)
    : runs_(runs)
{
}

void TWindowListener::Progress(const std::string& line)
{
    OnWindowThread([text = Text(line)](TRunController& r) { r.Progress(text); }, Qt::QueuedConnection);
}

void TWindowListener::CheckFailed(const TCheckResult& result)
{
    OnWindowThread([result](TRunController& r) { r.CheckFailed(result); });
}

void TWindowListener::Done()
{
    OnWindowThread([](TRunController& r) { r.Done(); });
}

void TWindowListener::MergeDone(const TMergeSummary& summary)
{
    OnWindowThread([summary](TRunController& r) { r.MergeDone(summary); });
}

void TWindowListener::MergePlanned(const std::shared_ptr<const TMergePlan>& plan)
{
    OnWindowThread([plan](TRunController& r) { r.MergePlanned(plan); });
}

void TWindowListener::PlanStale(const std::string& message)
{
    OnWindowThread([text = Text(message)](TRunController& r) { r.PlanStale(text); });
}

void TWindowListener::Failed(const std::string& message)
{
    OnWindowThread([text = Text(message)](TRunController& r) { r.Failed(text); });
}

void TWindowListener::Finished()
{
    OnWindowThread([](TRunController& r) { r.Finished(); });
    delete this; // the run makes no call after this one
}

void TWindowListener::OnWindowThread(std::function<void(TRunController&)> action, Qt::ConnectionType type)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    // A queued call may run after the listener is gone: it holds its own
    // guarded pointer to the controller.
    auto call = [runs = runs_, action = std::move(action)] {
        if (runs)
            action(*runs);
    };
    if (QThread::currentThread() == app->thread())
        call();
    else
        QMetaObject::invokeMethod(app, call, type);
}
