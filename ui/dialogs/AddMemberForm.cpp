#include "ui/dialogs/AddMemberForm.h"

TAddMemberForm::TAddMemberForm(const TFormContext& context)
    : TMemberForm(context, "AddMemberForm", "添加成员属性", 389, 331, 0)
{
    FillTypeList();
}

TCommandResult TAddMemberForm::Store(const TMemberEntry& entry)
{
    return TModelCommands::AddMember(ProjectId(), ClassId(), entry);
}
