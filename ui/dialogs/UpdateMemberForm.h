#pragma once
#include "ui/dialogs/MemberForm.h"

// "更新成员属性": changes a stored member; the fields start from the record.
class TUpdateMemberForm : public TMemberForm {
    Q_OBJECT

public:
    TUpdateMemberForm(const TFormContext& context, int memberId);

protected:
    TCommandResult Store(const TMemberEntry& entry) override;

private:
    void Fill(const TMember& member);
};
