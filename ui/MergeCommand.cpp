// "合并生成代码(保留手工修改)(&M)": the merging generation from the window.
// A dry run on a worker thread makes its plan, which the user sees before
// anything is written; the merge itself then runs on a worker thread like
// the plain generation. The generate commands stay disabled throughout.
#include "FormMain.h"

#include "MergePlan.h"
#include "MergePlanForm.h"
#include "UiText.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>

void TFormMain::MergeGenerate()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        approvedPlan_.reset();
        Lbl_Written->clear();
        StartRun(SelectedProjectId(), SelectedProjectName().toStdString(), TRunKind::MergeDryRun);
    });
}

void TFormMain::HandleMergePlan(const std::shared_ptr<const TMergePlan>& plan)
{
    // The dry run waits here until the user has decided.
    TMergePlanForm form(this, plan->Summary());
    RunDialog(form);
    if (form.result() == QDialog::Accepted)
        approvedPlan_ = plan;
}

void TFormMain::HandlePlanStale(const QString& message)
{
    FlushProgress();
    Message(message + Text("\n\n将重新做出合并计划。"));
    replan_ = true;
}

void TFormMain::HandleMergeDone(const TMergeSummary& summary)
{
    FlushProgress();
    int written = summary.Count(TMergeAction::New) + summary.Count(TMergeAction::Replace) +
        summary.Count(TMergeAction::Merge) + summary.Count(TMergeAction::Conflict) +
        summary.Count(TMergeAction::Beside);
    Lbl_Written->setText(Text("共写入 ") + QString::number(written) + Text(" 个文件"));
    QString text = Text("合并生成完毕：") + Text(summary.Counts());
    std::vector<std::string> conflicts = summary.Conflicts();
    if (!conflicts.empty()) {
        text += Text("\n\n以下文件有冲突，请手工解决（冲突处已用 <<<<<<< 和 >>>>>>> 标出）：");
        for (const auto& path : conflicts)
            text += Text("\n") + Text(path);
    }
    dialogs_->ShowMessage(
        this, text, Text("任务提示"), conflicts.empty() ? TMessageIcon::Information : TMessageIcon::Warning);
}
