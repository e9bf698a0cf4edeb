#include "CodeCommands.h"
#include "FormMain.h"

#include "RunController.h"
#include "UiText.h"

#include "EntryRules.h"

#include <QStatusBar>

void TCodeCommands::SetPackageName()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        std::optional<QString> answer = w.Dialogs().InputText(
            &w, Text("包名输入框"), Text("请输入一个包名如:           "), Text(w.State().PackageName()));
        if (!answer)
            return; // cancelled: nothing to refuse
        std::string name = answer->trimmed().toStdString();
        // The code adds "com." itself: "com.library" would become com.com.library.
        if (name.rfind("com.", 0) == 0 && name.size() > 4 &&
            w.Dialogs().Confirm(&w,
                Text("生成的代码会在包名前加上“com.”。包名 ") + Text(name) + Text(" 将成为 com.") + Text(name) +
                    Text("。\n是否改用 ") + Text(name.substr(4)) + Text("(即 ") + Text(name) + Text(")?"),
                Text("包名")))
            name = name.substr(4);
        TVerdict verdict = w.State().SetPackageName(name);
        if (!verdict.Accepted())
            return w.Message(Text(verdict.message));
        w.RefreshStatus();
    });
}

bool TCodeCommands::ReadyToRun()
{
    if (window_.Runs().Going())
        return false;
    if (window_.SelectedProjectId() < 0) {
        window_.Message(Text("没有一个工程被选中！"));
        return false;
    }
    return true;
}

void TCodeCommands::GenerateCode()
{
    TFormMain& w = window_;
    w.Guarded([this, &w] {
        if (!ReadyToRun())
            return;
        int projectId = w.SelectedProjectId();
        // Beside the fixed advice: the merge needs the old folder.
        w.statusBar()->showMessage(
            Text("提示：要保留对生成文件的手工修改，请不要删除原来的目录，改用“工具 → 合并生成代码(保留手工修改)”。"),
            30000);
        w.Message(Text("如果以前生成了该项目，最好先删除原来的目录!"));
        w.ClearRunOutput(true);
        w.State().KeepPackage();
        w.Runs().Start(projectId, w.SelectedProjectName().toStdString(), TRunKind::Plain);
    });
}

void TCodeCommands::MergeGenerate()
{
    TFormMain& w = window_;
    w.Guarded([this, &w] {
        if (!ReadyToRun())
            return;
        w.ClearRunOutput(false);
        w.State().KeepPackage();
        w.Runs().Start(w.SelectedProjectId(), w.SelectedProjectName().toStdString(), TRunKind::MergeDryRun);
    });
}
