#pragma once
#include "codegen/merge/MergePlan.h"
#include "codegen/run/AutoCode.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QPlainTextEdit;
class IWorkbench;

// The window's generation runs: starts them on their own threads (one at a
// time, the generate commands disabled meanwhile), shows their progress
// lines, their three messages and their failures, and takes a merging
// generation from its plan through the user's approval to applying it.
// The reports arrive on the window's thread through TWindowListener.
class TRunController : public QObject {
    Q_OBJECT

public:
    // progress: the progress box; written: the status bar's file count;
    // generate and merge: the commands disabled while a run goes.
    TRunController(IWorkbench& window, QPlainTextEdit* progress, QLabel* written, QAction* generate, QAction* merge);

    bool Going() const { return going_; }
    // The class the last failed check named.
    int ErrorClassId() const { return errorClassId_; }
    void Start(int projectId, const std::string& projectName, TRunKind kind);
    // The window now shows projectId: the progress box and the file count
    // show that project's last run (kept per project while the program
    // runs), or nothing. Left alone while a run goes.
    void ShowProject(int projectId);

    // What a run reports.
    void CheckFailed(const TCheckResult& result);
    void Progress(const QString& line);
    void Done();
    void MergeDone(const TMergeSummary& summary);
    void MergePlanned(const std::shared_ptr<const TMergePlan>& plan);
    void PlanStale(const QString& message);
    void Failed(const QString& message);
    void Finished();

private:
    // Starts run on a worker thread, reporting to a listener of this
    // controller; applying: the run applies an approved plan.
    void Launch(const std::function<void(IGenerationListener&)>& run, TRunKind kind, bool applying = false);
    void Flush();
    void Message(const QString& text);

    IWorkbench& window_;
    QPlainTextEdit* progress_;
    QLabel* written_;
    QAction* generate_;
    QAction* merge_;
    bool going_ = false;
    bool planning_ = false; // a merge plan is being made: busy cursor shown
    void EndPlanning();
    TRunKind kind_ = TRunKind::Plain;
    bool applying_ = false; // the run applies the plan the user approved
    int projectId_ = -1;
    std::string projectName_;
    // The project whose last run the box shows, and the other projects'.
    int shownProject_ = -1;
    struct TShownRun {
        QString progress;
        QString written;
        QString writtenTip;
    };
    std::map<int, TShownRun> otherRuns_;
    QStringList pending_;
    int lines_ = 0;
    int errorClassId_ = 0;
    std::shared_ptr<const TMergePlan> approved_;
    bool replan_ = false;
};
