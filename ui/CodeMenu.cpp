// The commands of "代码管理(&A)" and the merging generation of "工具(&T)":
// the package name and the generation runs, which the run controller
// starts and follows.
#include "FormMain.h"

#include "RunController.h"
#include "UiText.h"

#include "EntryRules.h"
#include "ModelCommands.h"

#include <QLabel>
#include <QPlainTextEdit>

void TFormMain::SetPackageName()
{
    Guarded([this] {
        std::string name =
            dialogs_->InputText(this, Text("包名输入框"), Text("请输入一个包名如:           "), Text(packageName_))
                .value_or(QString())
                .toStdString();
        TVerdict verdict = CheckPackageName(name);
        if (!verdict.Accepted())
            return Message(Text(verdict.message));
        packageName_ = name;
        // Remembered for the project, so that a later merge (after a
        // restart too) uses the package the tree was generated with.
        if (SelectedProjectId() >= 0)
            TModelCommands::SetProjectPackage(SelectedProjectId(), name);
        RefreshStatus();
    });
}

bool TFormMain::ReadyToRun()
{
    if (runs_->Going())
        return false;
    if (SelectedProjectId() < 0) {
        Message(Text("没有一个工程被选中！"));
        return false;
    }
    return true;
}

void TFormMain::GenerateCode()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        int projectId = SelectedProjectId();
        Message(Text("如果以前生成了该项目，最好先删除原来的目录!"));
        Memo_State->clear();
        Lbl_Written->clear();
        TModelCommands::SetProjectPackage(projectId, packageName_);
        runs_->Start(projectId, SelectedProjectName().toStdString(), TRunKind::Plain);
    });
}

void TFormMain::MergeGenerate()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        Lbl_Written->clear();
        TModelCommands::SetProjectPackage(SelectedProjectId(), packageName_);
        runs_->Start(SelectedProjectId(), SelectedProjectName().toStdString(), TRunKind::MergeDryRun);
    });
}
