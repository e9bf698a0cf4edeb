#include "ProjectCommands.h"
#include "FormMain.h"

#include "AddClassForm.h"
#include "AddMemberForm.h"
#include "UiText.h"
#include "UpdateClassForm.h"
#include "UpdateMemberForm.h"

#include "ModelCommands.h"
#include "ModelReads.h"
#include "OutputFolder.h"

void TProjectCommands::NewProject()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        std::optional<QString> answer = w.Dialogs().InputText(&w, Text("请输入工程名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::NewProject(name);
        if (!result.Done())
            return w.Message(Text(result.message));
        // The new project is the one the next class goes into.
        w.RememberProjectIndex(true);
        w.ReloadProjects();
        w.ShowProjectNamed(Text(name));
        w.Message(Text(result.message));
    });
}

void TProjectCommands::RenameProject()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int projectId = w.SelectedProjectId();
        if (projectId < 0)
            return w.Message(Text("当前未有任何项目被选中!"));
        std::optional<QString> answer = w.Dialogs().InputText(&w, Text("请输入项目名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::RenameProject(projectId, name);
        if (!result.Done()) {
            w.Message(Text(result.message));
            if (result.refusal == TRefusal::Stale)
                w.ReloadProjects();
            return;
        }
        w.RememberProjectIndex(false);
        std::string oldName = w.SelectedProjectName().toStdString();
        w.Message(Text(result.message));
        w.ReloadProjects();
        // The generated tree (and the bases a merge needs) follows the name.
        TFolderMove move = PlanFolderMove(w.GeneratedRoot(), oldName, name);
        if (move.possible &&
            w.Dialogs().Confirm(&w,
                Text("是否把生成目录\n  ") + Text(move.from) + Text("\n改名为\n  ") + Text(move.to) +
                    Text("?\n(合并生成要在原来的目录中找到手工修改和 .javagen 中的基准)"),
                Text("生成目录")))
            MoveFolder(move);
        else if (!move.why.empty())
            w.Message(Text("生成目录 ") + Text(move.from) + Text(" 没有改名：") + Text(move.why) +
                Text("。合并生成将写到新目录，原来目录中的手工修改不会带过去。"));
        w.RefreshStatus();
    });
}

void TProjectCommands::DeleteProject()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int projectId = w.SelectedProjectId();
        if (projectId < 0)
            return w.Message(Text("未有任何项目被选中!"));
        if (!w.Dialogs().Confirm(
                &w, Text("确认删除当前项目吗?") + Text("\n\n项目: ") + w.SelectedProjectName(), Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteProject(projectId);
        w.RememberProjectIndex(true);
        w.Message(Text(result.message));
        w.ReloadProjects();
    });
}

// ---- class commands -----------------------------------------------------

void TProjectCommands::AddClass()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int projectId = w.SelectedProjectId();
        if (projectId < 0)
            return w.Message(Text("当前未有任何项目被选中!"));
        TAddClassForm form(w.FormContext([&w, projectId] { w.ReloadClasses(projectId); }));
        w.RunDialog(form);
    });
}

void TProjectCommands::ChangeClass()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        if (w.SelectedClassId() < 0)
            return w.Message(Text("没有类被选中!"));
        TUpdateClassForm form(w.FormContext([] {}), w.SelectedClassText(),
            [&w](const QString& className) { w.SetSelectedClassText(className); });
        w.RunDialog(form);
    });
}

void TProjectCommands::DeleteClass()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int classId = w.SelectedClassId();
        if (classId < 0)
            return w.Message(Text("没有类被选中!"));
        // Members of other classes that refer to it would refer to nothing.
        QString referring;
        for (const std::string& reference : ReadReferencesTo(classId))
            referring += (referring.isEmpty() ? QString() : Text("、")) + Text(reference);
        if (!referring.isEmpty())
            referring =
                Text("\n\n注意：") + referring + Text(" 引用这个类；删除后请先修改或删除这些成员，否则无法生成代码。");
        if (!w.Dialogs().Confirm(&w,
                Text("确认删除此类对象！") + Text("\n\n类: ") + w.SelectedClassText() + Text("（项目 ") +
                    w.SelectedProjectName() + Text("）") + referring,
                Text("提示")))
            return;
        TCommandResult result = TModelCommands::DeleteClass(classId);
        // The deleted class's members leave the table: no command can reach them.
        w.RemoveSelectedClass();
        w.RefreshStatus();
        w.Message(Text(result.message));
    });
}

// ---- member commands ----------------------------------------------------

void TProjectCommands::AddMember()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        if (w.SelectedClassId() < 0)
            return w.Message(Text("请先选择类对象"));
        TAddMemberForm form(w.FormContext([&w] { w.ReloadSelectedMembers(); }));
        w.RunDialog(form);
    });
}

void TProjectCommands::ChangeMember()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int memberId = w.SelectedClassId() < 0 ? -1 : w.SelectedMemberId();
        if (memberId < 0)
            return w.Message(Text("请先选择一个成员"));
        // A row of a member deleted meanwhile (elsewhere, or with its class)
        // opens no dialog.
        TCommandResult exists = TModelCommands::MemberToChange(memberId);
        if (!exists.Done()) {
            w.Message(Text(exists.message));
            w.ReloadSelectedMembers();
            return;
        }
        TUpdateMemberForm form(w.FormContext([&w] { w.ReloadSelectedMembers(); }), memberId);
        w.RunDialog(form);
    });
}

void TProjectCommands::DeleteMember()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int classId = w.SelectedClassId();
        int memberId = classId < 0 ? -1 : w.SelectedMemberId();
        if (memberId < 0)
            return w.Message(Text("请先选择一个成员"));
        if (!w.Dialogs().Confirm(&w,
                Text("确定删除当前成员属性?") + Text("\n\n成员: ") + w.SelectedMemberName() + Text("（类 ") +
                    w.SelectedClassText() + Text("）"),
                Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteMember(memberId);
        w.Message(Text(result.message));
        w.ReloadMembers(classId);
    });
}
