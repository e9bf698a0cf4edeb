#pragma once
#include "MemberForm.h"

// "更新成员属性": changes a stored member; the fields start from the record.
class TUpdateMemberForm : public TMemberForm {
    Q_OBJECT

public:
    TUpdateMemberForm(TFormMain& owner, int projectId, int classId, int memberId);

protected:
    void Store(const TMember& member) override;
    const char* StoredMessage() const override { return "类成员属性更新成功!"; }

private:
    void Fill(const TMember& member);
};
