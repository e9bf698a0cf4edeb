#include "ui/commands/CodeCommands.h"
#include "ui/run/Workbench.h"

#include "ui/dialogs/UiText.h"
#include "ui/run/RunController.h"

#include "model/rules/EntryRules.h"

void TCodeCommands::SetPackageName()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        std::optional<QString> answer = w.Dialogs().InputText(
            w.Owner(), Text("包名输入框"), Text("请输入一个包名如:           "), Text(w.State().PackageName()));
        if (!answer)
            return; // cancelled: nothing to refuse
        std::string name = answer->trimmed().toStdString();
        // The code adds "com." itself: "com.library" would become com.com.library.
        if (name.rfind("com.", 0) == 0 && name.size() > 4 &&
            w.Dialogs().Confirm(w.Owner(),
                Text("生成的代码会在包名前加上“com.”。包名 ") + Text(name) + Text(" 将成为 com.") + Text(name) +
                    Text("。\n是否改用 ") + Text(name.substr(4)) + Text("(即 ") + Text(name) + Text(")?"),
                Text("包名")))
            name = name.substr(4);
        TVerdict verdict = w.State().SetPackageName(name);
        if (!verdict.Accepted())
            return Message(w, Text(verdict.message));
        w.RefreshStatus();
    });
}

bool TCodeCommands::ReadyToRun()
{
    if (window_.Runs().Going())
        return false;
    if (window_.Lists().SelectedProjectId() < 0) {
        Message(window_, Text("没有一个工程被选中！"));
        return false;
    }
    return true;
}

void TCodeCommands::GenerateCode()
{
    IWorkbench& w = window_;
    w.Guarded([this, &w] {
        if (!ReadyToRun())
            return;
        int projectId = w.Lists().SelectedProjectId();
        // Beside the fixed advice: the merge needs the old folder.
        w.ShowNotice(
            Text("提示：要保留对生成文件的手工修改，请不要删除原来的目录，改用“工具 → 合并生成代码(保留手工修改)”。"),
            30000);
        Message(w, Text("如果以前生成了该项目，最好先删除原来的目录!"));
        w.ClearRunOutput(true);
        w.State().KeepPackage();
        w.Runs().Start(projectId, w.Lists().SelectedProjectName().toStdString(), TRunKind::Plain);
    });
}

void TCodeCommands::MergeGenerate()
{
    IWorkbench& w = window_;
    w.Guarded([this, &w] {
        if (!ReadyToRun())
            return;
        w.ClearRunOutput(false);
        w.State().KeepPackage();
        w.Runs().Start(
            w.Lists().SelectedProjectId(), w.Lists().SelectedProjectName().toStdString(), TRunKind::MergeDryRun);
    });
}
