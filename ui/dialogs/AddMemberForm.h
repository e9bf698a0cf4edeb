#pragma once
#include "ui/dialogs/MemberForm.h"

// "添加成员属性": a new member of the selected class.
class TAddMemberForm : public TMemberForm {
    Q_OBJECT

public:
    explicit TAddMemberForm(const TFormContext& context);

protected:
    TCommandResult Store(const TMemberEntry& entry) override;
};
