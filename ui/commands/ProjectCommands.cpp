#include "ui/commands/ProjectCommands.h"
#include "ui/run/Workbench.h"

#include "ui/dialogs/AddClassForm.h"
#include "ui/dialogs/AddMemberForm.h"
#include "ui/dialogs/UiText.h"
#include "ui/dialogs/UpdateClassForm.h"
#include "ui/dialogs/UpdateMemberForm.h"

#include "codegen/io/OutputFolder.h"
#include "model/commands/ModelCommands.h"
#include "model/commands/ModelReads.h"

void TProjectCommands::NewProject()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        std::optional<QString> answer = w.Dialogs().InputText(w.Owner(), Text("请输入工程名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::NewProject(name);
        if (!result.Done())
            return Message(w, Text(result.message));
        // The new project is the one the next class goes into.
        w.Lists().RememberProjectIndex(true);
        w.Lists().ReloadProjects();
        w.Lists().ShowProjectNamed(Text(name));
        Message(w, Text(result.message));
    });
}

void TProjectCommands::RenameProject()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int projectId = w.Lists().SelectedProjectId();
        if (projectId < 0)
            return Message(w, Text("当前未有任何项目被选中!"));
        std::optional<QString> answer = w.Dialogs().InputText(w.Owner(), Text("请输入项目名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::RenameProject(projectId, name);
        if (!result.Done()) {
            Message(w, Text(result.message));
            if (result.refusal == TRefusal::Stale)
                w.Lists().ReloadProjects();
            return;
        }
        w.Lists().RememberProjectIndex(false);
        std::string oldName = w.Lists().SelectedProjectName().toStdString();
        Message(w, Text(result.message));
        w.Lists().ReloadProjects();
        // The generated tree (and the bases a merge needs) follows the name.
        TFolderMove move = PlanFolderMove(GeneratedRoot(w), oldName, name);
        if (move.possible &&
            w.Dialogs().Confirm(w.Owner(),
                Text("是否把生成目录\n  ") + Text(move.from) + Text("\n改名为\n  ") + Text(move.to) +
                    Text("?\n(合并生成要在原来的目录中找到手工修改和 .javagen 中的基准)"),
                Text("生成目录")))
            MoveFolder(move);
        else if (!move.why.empty())
            Message(w,
                Text("生成目录 ") + Text(move.from) + Text(" 没有改名：") + Text(move.why) +
                    Text("。合并生成将写到新目录，原来目录中的手工修改不会带过去。"));
        w.RefreshStatus();
    });
}

void TProjectCommands::DeleteProject()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int projectId = w.Lists().SelectedProjectId();
        if (projectId < 0)
            return Message(w, Text("未有任何项目被选中!"));
        if (!w.Dialogs().Confirm(w.Owner(),
                Text("确认删除当前项目吗?") + Text("\n\n项目: ") + w.Lists().SelectedProjectName(), Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteProject(projectId);
        w.Lists().RememberProjectIndex(true);
        Message(w, Text(result.message));
        w.Lists().ReloadProjects();
    });
}

// ---- class commands -----------------------------------------------------

void TProjectCommands::AddClass()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int projectId = w.Lists().SelectedProjectId();
        if (projectId < 0)
            return Message(w, Text("当前未有任何项目被选中!"));
        TAddClassForm form(FormContext(w, [&w, projectId] { w.Lists().ReloadClasses(projectId); }));
        w.RunDialog(form);
    });
}

void TProjectCommands::ChangeClass()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        if (w.Lists().SelectedClassId() < 0)
            return Message(w, Text("没有类被选中!"));
        TUpdateClassForm form(FormContext(w, [] {}), w.Lists().SelectedClassText(),
            [&w](const QString& className) { w.Lists().SetSelectedClassText(className); });
        w.RunDialog(form);
    });
}

void TProjectCommands::DeleteClass()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int classId = w.Lists().SelectedClassId();
        if (classId < 0)
            return Message(w, Text("没有类被选中!"));
        // Members of other classes that refer to it would refer to nothing.
        QString referring;
        for (const std::string& reference : ReadReferencesTo(classId))
            referring += (referring.isEmpty() ? QString() : Text("、")) + Text(reference);
        if (!referring.isEmpty())
            referring =
                Text("\n\n注意：") + referring + Text(" 引用这个类；删除后请先修改或删除这些成员，否则无法生成代码。");
        if (!w.Dialogs().Confirm(w.Owner(),
                Text("确认删除此类对象！") + Text("\n\n类: ") + w.Lists().SelectedClassText() + Text("（项目 ") +
                    w.Lists().SelectedProjectName() + Text("）") + referring,
                Text("提示")))
            return;
        TCommandResult result = TModelCommands::DeleteClass(classId);
        // The deleted class's members leave the table: no command can reach them.
        w.Lists().RemoveSelectedClass();
        w.RefreshStatus();
        Message(w, Text(result.message));
    });
}

// ---- member commands ----------------------------------------------------

void TProjectCommands::AddMember()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        if (w.Lists().SelectedClassId() < 0)
            return Message(w, Text("请先选择类对象"));
        TAddMemberForm form(FormContext(w, [&w] { w.Lists().ReloadSelectedMembers(); }));
        w.RunDialog(form);
    });
}

void TProjectCommands::ChangeMember()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int memberId = w.Lists().SelectedClassId() < 0 ? -1 : w.Lists().SelectedMemberId();
        if (memberId < 0)
            return Message(w, Text("请先选择一个成员"));
        // A row of a member deleted meanwhile (elsewhere, or with its class)
        // opens no dialog.
        TCommandResult exists = TModelCommands::MemberToChange(memberId);
        if (!exists.Done()) {
            Message(w, Text(exists.message));
            w.Lists().ReloadSelectedMembers();
            return;
        }
        TUpdateMemberForm form(FormContext(w, [&w] { w.Lists().ReloadSelectedMembers(); }), memberId);
        w.RunDialog(form);
    });
}

void TProjectCommands::DeleteMember()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int classId = w.Lists().SelectedClassId();
        int memberId = classId < 0 ? -1 : w.Lists().SelectedMemberId();
        if (memberId < 0)
            return Message(w, Text("请先选择一个成员"));
        if (!w.Dialogs().Confirm(w.Owner(),
                Text("确定删除当前成员属性?") + Text("\n\n成员: ") + w.Lists().SelectedMemberName() + Text("（类 ") +
                    w.Lists().SelectedClassText() + Text("）"),
                Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteMember(memberId);
        Message(w, Text(result.message));
        w.Lists().ReloadMembers(classId);
    });
}
