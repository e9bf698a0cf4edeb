#pragma once
#include "MemberForm.h"

// "添加成员属性": a new member of the selected class.
class TAddMemberForm : public TMemberForm {
    Q_OBJECT

public:
    TAddMemberForm(TFormMain& owner, int projectId, int classId);

protected:
    void Store(const TMember& member) override;
    const char* StoredMessage() const override { return "类成员属性添加成功!"; }
};
