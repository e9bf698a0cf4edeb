#include "AddMemberForm.h"

#include "MemberDAO.h"

TAddMemberForm::TAddMemberForm(TFormMain& owner, int projectId, int classId)
    : TMemberForm(owner, "AddMemberForm", "添加成员属性", 389, 331, TMemberDialog::Add, projectId, classId, 0)
{
    FillTypeList();
}

void TAddMemberForm::Store(const TMember& member)
{
    TMemberDAO().AddMember(member);
}
