#include "UpdateClassForm.h"

#include "FormMain.h"

#include "ClassDAO.h"
#include "EntryRules.h"

#include <QLineEdit>
#include <QListWidget>

TUpdateClassForm::TUpdateClassForm(TFormMain& owner, int classId)
    : TClassForm(owner, "UpdateClassForm", "类更新", 271, 214)
    , classId_(classId)
{
    FillFields();
}

void TUpdateClassForm::FillFields()
{
    QListWidgetItem* entry = owner_.LB_Object->currentItem();
    Edt_ClassName->setText(entry ? entry->text() : QString());
    Edt_FriendName->setText(QString::fromStdString(TClassDAO().GetFriendName(classId_)));
}

void TUpdateClassForm::Accept()
{
    int projectId = owner_.SelectedProjectId();
    std::string className = Edt_ClassName->text().toStdString();
    std::string friendName = Edt_FriendName->text().toStdString();
    TVerdict verdict = CheckUpdateClass(projectId, classId_, className, friendName);
    if (!verdict.Accepted())
        return Message(QString::fromStdString(verdict.message));
    TClassDAO().UpdateClass(projectId, classId_, className, friendName);
    owner_.SetSelectedClassText(QString::fromStdString(className));
    Message(QString::fromUtf8("类名称更新成功"));
    accept();
}
