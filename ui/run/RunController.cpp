#include "ui/run/RunController.h"

#include <QApplication>

#include "ui/dialogs/MergePlanForm.h"
#include "ui/dialogs/UiText.h"
#include "ui/run/WindowListener.h"
#include "ui/run/Workbench.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

TRunController::TRunController(
    IWorkbench& window, QPlainTextEdit* progress, QLabel* written, QAction* generate, QAction* merge)
    : QObject(window.Owner())
    , window_(window)
    , progress_(progress)
    , written_(written)
    , generate_(generate)
    , merge_(merge)
{
}

void TRunController::Message(const QString& text)
{
    ShowPlainMessage(window_.Dialogs(), window_.Owner(), text);
}

void TRunController::Start(int projectId, const std::string& projectName, TRunKind kind)
{
    ShowProject(projectId);
    projectId_ = projectId;
    projectName_ = projectName;
    std::string packageName = window_.State().PackageName();
    TRunLocations locations = window_.RunLocations();
    TRunRequest request { projectId, projectName, packageName, locations, kind };
    Launch([request](IGenerationListener& listener) { RunGeneration(request, listener); }, kind);
}

void TRunController::ShowProject(int projectId)
{
    if (going_ || projectId == shownProject_)
        return;
    Flush();
    if (shownProject_ >= 0)
        otherRuns_[shownProject_] = { progress_->toPlainText(), written_->text(), written_->toolTip() };
    shownProject_ = projectId;
    auto kept = otherRuns_.find(projectId);
    if (kept == otherRuns_.end()) {
        progress_->clear();
        written_->clear();
        written_->setToolTip(QString());
        return;
    }
    progress_->setPlainText(kept->second.progress);
    written_->setText(kept->second.written);
    written_->setToolTip(kept->second.writtenTip);
    otherRuns_.erase(kept);
    progress_->moveCursor(QTextCursor::End);
    progress_->ensureCursorVisible();
}

void TRunController::Launch(const std::function<void(IGenerationListener&)>& run, TRunKind kind, bool applying)
{
    lines_ = 0;
    kind_ = kind;
    applying_ = applying;
    // One run at a time: two runs would write the same files at once.
    going_ = true;
    generate_->setEnabled(false);
    merge_->setEnabled(false);
    // The listener frees itself with the run's last report; it is freed here
    // only when no run could be started.
    auto* listener = new TWindowListener(this);
    // Planning a merge of a large project takes seconds with nothing to
    // show: say so, and show a busy cursor until the plan is there.
    if (kind == TRunKind::MergeDryRun && !planning_) {
        planning_ = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
        window_.ShowNotice(Text("正在制定合并计划(比较每个文件和它的基准)，请稍候…"));
    }
    try {
        TAutoCode::Start([run, listener] { run(*listener); });
    } catch (...) {
        delete listener;
        Finished();
        throw;
    }
}

void TRunController::CheckFailed(const TCheckResult& result)
{
    Flush();
    if (result.kind == TCheckKind::PrimaryMember || result.kind == TCheckKind::DisplayMember)
        errorClassId_ = result.classId;
    // The class to mend is the one the member table then shows.
    if (result.classId > 0 && window_.Lists().SelectedProjectId() == projectId_)
        window_.Lists().SelectClass(result.classId);
    Message(Text(result.message));
}

void TRunController::Progress(const QString& line)
{
    // A dry run's lines are its plan, shown in the plan's dialog.
    if (kind_ == TRunKind::MergeDryRun)
        return;
    ++lines_;
    // Lines arriving together are appended together: one layout of the box
    // per batch instead of per line keeps a large run from waiting on the
    // window.
    pending_.append(line);
    if (pending_.size() == 1)
        QTimer::singleShot(40, this, [this] { Flush(); });
}

void TRunController::Flush()
{
    if (pending_.isEmpty())
        return;
    // The box follows the newest line unless the user has scrolled up to
    // read an earlier one.
    QScrollBar* bar = progress_->verticalScrollBar();
    bool following = bar->value() >= bar->maximum();
    progress_->appendPlainText(pending_.join('\n'));
    pending_.clear();
    if (following) {
        // The cursor, not the bar: its maximum lags behind a large append.
        progress_->moveCursor(QTextCursor::End);
        progress_->ensureCursorVisible();
    }
}

void TRunController::Done()
{
    Flush();
    written_->setText(Text("共写入 ") + QString::number(lines_) + Text(" 个文件"));
    written_->setToolTip(QString());
    QPointer<QWidget> from = window_.Owner()->focusWidget();
    window_.Dialogs().ShowMessage(
        window_.Owner(), Text("所有代码生成完毕!"), Text("任务提示"), TMessageIcon::Information);
    window_.ReturnFocus(from);
}

void TRunController::MergeDone(const TMergeSummary& summary)
{
    Flush();
    // In the final box's own words, so that the two never disagree on what
    // "写入" counts (new and replaced files; merged ones are counted apart).
    auto n = [&summary](TMergeAction action) { return QString::number(summary.Count(action)); };
    written_->setText(Text("合并生成：写入 ") +
        QString::number(summary.Count(TMergeAction::New) + summary.Count(TMergeAction::Replace)) +
        Text(" 个文件，合并 ") + n(TMergeAction::Merge) + Text(" 个，冲突 ") + n(TMergeAction::Conflict) +
        Text(" 个，另存为 .new ") + n(TMergeAction::Beside) + Text(" 个") +
        (summary.Count(TMergeAction::Unresolved)
                ? Text("，仍有未解决的冲突而未合并 ") + n(TMergeAction::Unresolved) + Text(" 个")
                : QString()));
    written_->setToolTip(Text(summary.Counts()));
    QString text = Text("合并生成完毕：") + Text(summary.Counts());
    std::vector<std::string> conflicts = summary.Conflicts();
    if (!conflicts.empty()) {
        text += Text("\n\n以下文件有冲突，请手工解决（冲突处已用 <<<<<<< 和 >>>>>>> 标出）：");
        for (const auto& path : conflicts)
            text += Text("\n") + Text(path);
    }
    if (!summary.BesideHint().empty())
        text += Text("\n\n") + Text(summary.BesideHint());
    QPointer<QWidget> from = window_.Owner()->focusWidget();
    window_.Dialogs().ShowMessage(
        window_.Owner(), text, Text("任务提示"), conflicts.empty() ? TMessageIcon::Information : TMessageIcon::Warning);
    window_.ReturnFocus(from);
}

void TRunController::EndPlanning()
{
    if (!planning_)
        return;
    planning_ = false;
    QApplication::restoreOverrideCursor();
    window_.ShowNotice(QString());
}

void TRunController::MergePlanned(const std::shared_ptr<const TMergePlan>& plan)
{
    EndPlanning();
    // The dry run waits here until the user has decided.
    TMergePlanForm form(window_.Owner(), plan->Summary(), plan->Heading());
    window_.RunDialog(form);
    if (form.result() != QDialog::Accepted)
        return;
    approved_ = plan;
    // Files of an earlier package go only on a question of their own,
    // answered no unless the user says yes.
    if (plan->oldPackageFiles > 0 &&
        window_.Dialogs().ConfirmDefaultNo(window_.Owner(),
            Text(plan->PackageChange()) + Text("\n\n是否删除旧包中未经手工修改的文件？(有手工修改的文件总是保留)"),
            Text("旧包中的文件"))) {
        auto deleting = std::make_shared<TMergePlan>(*plan);
        deleting->deleteOldPackage = true;
        approved_ = deleting;
    }
}

void TRunController::PlanStale(const QString& message)
{
    Flush();
    Message(message + Text("\n\n将重新做出合并计划。"));
    replan_ = true;
}

void TRunController::Failed(const QString& message)
{
    Flush();
    QPointer<QWidget> from = window_.Owner()->focusWidget();
    window_.Dialogs().ShowMessage(
        window_.Owner(), Text("代码生成失败：") + message, Text(kErrorTitle), TMessageIcon::Critical);
    window_.ReturnFocus(from);
}

void TRunController::Finished()
{
    EndPlanning();
    Flush();
    going_ = false;
    generate_->setEnabled(true);
    merge_->setEnabled(true);
    // The plan was accepted: now it is applied as it stands; or it was
    // stale, and a new one is made.
    if (kind_ == TRunKind::MergeDryRun && !applying_ && approved_) {
        progress_->clear();
        std::shared_ptr<const TMergePlan> plan = std::move(approved_);
        approved_.reset();
        RunGuarded(window_.Dialogs(), window_.Owner(), [&] {
            Launch([plan](IGenerationListener& listener) { RunApprovedPlan(*plan, listener); }, TRunKind::Merge, true);
        });
    } else if (applying_ && replan_) {
        replan_ = false;
        RunGuarded(window_.Dialogs(), window_.Owner(), [&] { Start(projectId_, projectName_, TRunKind::MergeDryRun); });
    }
    // The user may have chosen another project while the run went.
    if (!going_)
        ShowProject(window_.Lists().SelectedProjectId());
}
