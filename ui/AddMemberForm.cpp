#include "AddMemberForm.h"

TAddMemberForm::TAddMemberForm(TFormMain& owner, int projectId, int classId)
    : TMemberForm(owner, "AddMemberForm", "添加成员属性", 389, 331, projectId, classId, 0)
{
    FillTypeList();
}

TCommandResult TAddMemberForm::Store(const TMemberEntry& entry)
{
    return TModelCommands::AddMember(ProjectId(), ClassId(), entry);
}
