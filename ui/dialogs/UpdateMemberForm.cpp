#include "ui/dialogs/UpdateMemberForm.h"

#include "model/commands/ModelReads.h"
#include "model/store/MemberFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

TUpdateMemberForm::TUpdateMemberForm(const TFormContext& context, int memberId)
    : TMemberForm(context, "UpdateMemberForm", "更新成员属性", 372, 320, memberId)
{
    std::optional<TMember> member = ReadMember(memberId);
    // The member's own class decides the type list (the other classes), even
    // when the class list has no selection.
    if (member)
        SetContext(member->GetProjectId(), member->GetClassId());
    FillTypeList();
    // A member that refers to its own class (imported, or made by the CLI)
    // keeps that type on offer.
    if (member && member->GetMemberType() == ReadClassName(member->GetClassId()))
        CB_MemberType->addItem(QString::fromStdString(member->GetMemberType()));
    if (member)
        Fill(*member);
}

void TUpdateMemberForm::Fill(const TMember& member)
{
    Edt_MemberName->setText(QString::fromStdString(member.GetMemberName()));
    // No entry is selected when the stored type is not in the list.
    CB_MemberType->setCurrentIndex(CB_MemberType->findText(
        QString::fromStdString(member.GetMemberType()), Qt::MatchExactly | Qt::MatchCaseSensitive));
    Edt_MemberLength->setText(QString::number(member.GetMemberLength()));
    std::vector<const TMemberField*> flags = EntryFlagFields();
    for (size_t i = 0; i < flags.size(); ++i)
        FlagBoxes[i]->setChecked((member.*flags[i]->getInt)() == 1);
    Edt_MemberComment->setText(QString::fromStdString(member.GetMemberComment()));
    KeepUnshown(EntryOf(member));
}

TCommandResult TUpdateMemberForm::Store(const TMemberEntry& entry)
{
    return TModelCommands::ChangeMember(MemberId(), entry);
}
