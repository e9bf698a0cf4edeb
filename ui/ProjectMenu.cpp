// The commands of "项目操作(&P)": projects, classes and members.
#include "FormMain.h"

#include "FillingScope.h"

#include "AddClassForm.h"
#include "AddMemberForm.h"
#include "UiText.h"
#include "UpdateClassForm.h"
#include "UpdateMemberForm.h"

#include "ModelCommands.h"
#include "ModelReads.h"
#include "OutputFolder.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

void TFormMain::NewProject()
{
    Guarded([this] {
        std::optional<QString> answer = dialogs_->InputText(this, Text("请输入工程名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::NewProject(name);
        if (!result.Done())
            return Message(Text(result.message));
        // The new project is the one the next class goes into.
        rememberedProjectIndex_ = -1;
        ReloadProjects();
        int index = CB_Project->findText(Text(name), Qt::MatchExactly);
        if (index >= 0 && index != CB_Project->currentIndex()) {
            CB_Project->setCurrentIndex(index);
            ReloadClasses(SelectedProjectId());
        }
        Message(Text(result.message));
    });
}

void TFormMain::RenameProject()
{
    Guarded([this] {
        int projectId = SelectedProjectId();
        if (projectId < 0)
            return Message(Text("当前未有任何项目被选中!"));
        std::optional<QString> answer = dialogs_->InputText(this, Text("请输入项目名称"), QString(), QString());
        if (!answer)
            return; // cancelled
        std::string name = answer->toStdString();
        TCommandResult result = TModelCommands::RenameProject(projectId, name);
        if (!result.Done()) {
            Message(Text(result.message));
            if (result.refusal == TRefusal::Stale)
                ReloadProjects();
            return;
        }
        rememberedProjectIndex_ = CB_Project->currentIndex();
        std::string oldName = SelectedProjectName().toStdString();
        Message(Text(result.message));
        ReloadProjects();
        // The generated tree (and the bases a merge needs) follows the name.
        std::string root = runLocations_.rootDir.empty() ? ProgramDirectory() : runLocations_.rootDir;
        TFolderMove move = PlanFolderMove(root, oldName, name);
        if (move.possible &&
            dialogs_->Confirm(this,
                Text("是否把生成目录\n  ") + Text(move.from) + Text("\n改名为\n  ") + Text(move.to) +
                    Text("?\n(合并生成要在原来的目录中找到手工修改和 .javagen 中的基准)"),
                Text("生成目录")))
            MoveFolder(move);
        else if (!move.why.empty())
            Message(Text("生成目录 ") + Text(move.from) + Text(" 没有改名：") + Text(move.why) +
                Text("。合并生成将写到新目录，原来目录中的手工修改不会带过去。"));
        RefreshStatus();
    });
}

void TFormMain::DeleteProject()
{
    Guarded([this] {
        int projectId = SelectedProjectId();
        if (projectId < 0)
            return Message(Text("未有任何项目被选中!"));
        if (!dialogs_->Confirm(
                this, Text("确认删除当前项目吗?") + Text("\n\n项目: ") + SelectedProjectName(), Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteProject(projectId);
        rememberedProjectIndex_ = -1;
        Message(Text(result.message));
        ReloadProjects();
    });
}

// ---- class commands -----------------------------------------------------

void TFormMain::AddClass()
{
    Guarded([this] {
        if (SelectedProjectId() < 0)
            return Message(Text("当前未有任何项目被选中!"));
        int projectId = SelectedProjectId();
        TAddClassForm form(FormContext([this, projectId] { ReloadClasses(projectId); }));
        RunDialog(form);
    });
}

void TFormMain::ChangeClass()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("没有类被选中!"));
        QListWidgetItem* entry = LB_Object->currentItem();
        TUpdateClassForm form(FormContext([] {}), entry ? entry->text() : QString(),
            [this](const QString& className) { SetSelectedClassText(className); });
        RunDialog(form);
    });
}

void TFormMain::DeleteClass()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("没有类被选中!"));
        QListWidgetItem* entry = LB_Object->currentItem();
        QString className = entry ? entry->text() : QString();
        // Members of other classes that refer to it would refer to nothing.
        QString referring;
        for (const std::string& reference : ReadReferencesTo(classId))
            referring += (referring.isEmpty() ? QString() : Text("、")) + Text(reference);
        if (!referring.isEmpty())
            referring =
                Text("\n\n注意：") + referring + Text(" 引用这个类；删除后请先修改或删除这些成员，否则无法生成代码。");
        if (!dialogs_->Confirm(this,
                Text("确认删除此类对象！") + Text("\n\n类: ") + className + Text("（项目 ") + SelectedProjectName() +
                    Text("）") + referring,
                Text("提示")))
            return;
        TCommandResult result = TModelCommands::DeleteClass(classId);
        {
            // No other class becomes the selected one, and the deleted
            // class's members leave the table: no command can reach them.
            TFillingScope filling(filling_);
            delete LB_Object->takeItem(LB_Object->currentRow());
            LB_Object->setCurrentItem(nullptr);
            LB_Object->clearSelection();
            ClearMembers();
        }
        RefreshStatus();
        Message(Text(result.message));
    });
}

// ---- member commands ----------------------------------------------------

void TFormMain::AddMember()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("请先选择类对象"));
        TAddMemberForm form(FormContext([this] { ReloadSelectedMembers(); }));
        RunDialog(form);
    });
}

void TFormMain::ChangeMember()
{
    Guarded([this] {
        int memberId = SelectedClassId() < 0 ? -1 : SelectedMemberId();
        if (memberId < 0)
            return Message(Text("请先选择一个成员"));
        // A row of a member deleted meanwhile (elsewhere, or with its class)
        // opens no dialog.
        TCommandResult exists = TModelCommands::MemberToChange(memberId);
        if (!exists.Done()) {
            Message(Text(exists.message));
            ReloadSelectedMembers();
            return;
        }
        TUpdateMemberForm form(FormContext([this] { ReloadSelectedMembers(); }), memberId);
        RunDialog(form);
    });
}

void TFormMain::DeleteMember()
{
    Guarded([this] {
        int classId = SelectedClassId();
        int memberId = classId < 0 ? -1 : SelectedMemberId();
        if (memberId < 0)
            return Message(Text("请先选择一个成员"));
        QTableWidgetItem* name = LV_Member->item(LV_Member->selectedItems().first()->row(), 1);
        QListWidgetItem* entry = LB_Object->currentItem();
        if (!dialogs_->Confirm(this,
                Text("确定删除当前成员属性?") + Text("\n\n成员: ") + (name ? name->text() : QString()) + Text("（类 ") +
                    (entry ? entry->text() : QString()) + Text("）"),
                Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteMember(memberId);
        Message(Text(result.message));
        ReloadMembers(classId);
    });
}
