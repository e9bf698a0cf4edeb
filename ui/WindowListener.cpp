#include "WindowListener.h"

#include "FormMain.h"
#include "UiText.h"

#include <QCoreApplication>
#include <QThread>

TWindowListener::TWindowListener(TFormMain* window, bool planOnly)
    : window_(window)
    , planOnly_(planOnly)
{
}

void TWindowListener::Progress(const std::string& line)
{
    if (planOnly_)
        return;
    OnWindowThread([text = Text(line)](TFormMain& w) { w.HandleProgress(text); }, Qt::QueuedConnection);
}

void TWindowListener::CheckFailed(const TCheckResult& result)
{
    OnWindowThread([result](TFormMain& w) { w.HandleCheckFailed(result); });
}

void TWindowListener::Done()
{
    OnWindowThread([](TFormMain& w) { w.HandleDone(); });
}

void TWindowListener::MergeDone(const TMergeSummary& summary)
{
    OnWindowThread([summary](TFormMain& w) { w.HandleMergeDone(summary); });
}

void TWindowListener::MergePlanned(const std::shared_ptr<const TMergePlan>& plan)
{
    OnWindowThread([plan](TFormMain& w) { w.HandleMergePlan(plan); });
}

void TWindowListener::PlanStale(const std::string& message)
{
    OnWindowThread([text = Text(message)](TFormMain& w) { w.HandlePlanStale(text); });
}

void TWindowListener::Failed(const std::string& message)
{
    OnWindowThread([text = Text(message)](TFormMain& w) { w.HandleFailed(text); });
}

void TWindowListener::Finished()
{
    OnWindowThread([](TFormMain& w) { w.HandleFinished(); });
    delete this; // the run makes no call after this one
}

void TWindowListener::OnWindowThread(std::function<void(TFormMain&)> action, Qt::ConnectionType type)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    // A queued call may run after the listener is gone: it holds its own
    // guarded pointer to the window.
    auto call = [window = window_, action = std::move(action)] {
        if (window)
            action(*window);
    };
    if (QThread::currentThread() == app->thread())
        call();
    else
        QMetaObject::invokeMethod(app, call, type);
}
