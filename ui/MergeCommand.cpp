// "合并生成代码(保留手工修改)(&M)": the merging generation from the window.
// Its plan is shown first; the run itself goes on a worker thread like the
// plain generation.
#include "FormMain.h"

#include "MergePlanForm.h"
#include "UiText.h"
#include "WindowListener.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>

#include <optional>

namespace {

// The dry run's reports, on the window's thread: refusals go to the window's
// own handlers, the plan is kept.
class TPlanListener : public IGenerationListener {
public:
    explicit TPlanListener(TFormMain& window)
        : window_(window)
    {
    }
    void SetErrorClassId(int classId) override { window_.ErrorClassId = classId; }
    void PrimaryMemberError() override { window_.HandlePrimaryMemberError(); }
    void DisplayMemberError() override { window_.HandleDisplayMemberError(); }
    void ModelRefused(const std::string& message) override { window_.HandleModelRefused(Text(message)); }
    void Progress(const std::string&) override { }
    void Done() override { }
    void MergeDone(const TMergeSummary& summary) override { plan = summary; }
    void Failed(const std::string& message) override { window_.HandleFailed(Text(message)); }
    void Finished() override { }

    std::optional<TMergeSummary> plan;

private:
    TFormMain& window_;
};

} // namespace

void TFormMain::MergeGenerate()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        int projectId = SelectedProjectId();
        std::string projectName = SelectedProjectName().toStdString();
        TPlanListener planner(*this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            TAutoCode(projectId, projectName, packageName_, planner, runLocations_, TRunKind::MergeDryRun).Execute();
        } catch (...) {
            QApplication::restoreOverrideCursor();
            throw;
        }
        QApplication::restoreOverrideCursor();
        if (!planner.plan)
            return;
        TMergePlanForm form(this, *planner.plan);
        RunDialog(form);
        if (form.result() != QDialog::Accepted)
            return;
        Memo_State->clear();
        StartRun(projectId, projectName, TRunKind::Merge);
    });
}

void TFormMain::HandleMergeDone(const TMergeSummary& summary)
{
    FlushProgress();
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
