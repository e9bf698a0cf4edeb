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
#include <QStatusBar>

void TFormMain::SetPackageName()
{
    Guarded([this] {
        std::optional<QString> answer = dialogs_->InputText(
            this, Text("包名输入框"), Text("请输入一个包名如:           "), Text(state_.PackageName()));
        if (!answer)
            return; // cancelled: nothing to refuse
        std::string name = answer->trimmed().toStdString();
        // The code adds "com." itself: "com.library" would become com.com.library.
        if (name.rfind("com.", 0) == 0 && name.size() > 4 &&
            dialogs_->Confirm(this,
                Text("生成的代码会在包名前加上“com.”。包名 ") + Text(name) + Text(" 将成为 com.") + Text(name) +
                    Text("。\n是否改用 ") + Text(name.substr(4)) + Text("(即 ") + Text(name) + Text(")?"),
                Text("包名")))
            name = name.substr(4);
        TVerdict verdict = state_.SetPackageName(name);
        if (!verdict.Accepted())
            return Message(Text(verdict.message));
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
        // Beside the fixed advice: the merge needs the old folder.
        statusBar()->showMessage(
            Text("提示：要保留对生成文件的手工修改，请不要删除原来的目录，改用“工具 → 合并生成代码(保留手工修改)”。"),
            30000);
        Message(Text("如果以前生成了该项目，最好先删除原来的目录!"));
        Memo_State->clear();
        Lbl_Written->clear();
        state_.KeepPackage();
        runs_->Start(projectId, SelectedProjectName().toStdString(), TRunKind::Plain);
    });
}

void TFormMain::MergeGenerate()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        Lbl_Written->clear();
        state_.KeepPackage();
        runs_->Start(SelectedProjectId(), SelectedProjectName().toStdString(), TRunKind::MergeDryRun);
    });
}
