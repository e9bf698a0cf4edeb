#include "UpdateClassForm.h"

#include "FormMain.h"

#include "ClassDAO.h"
#include "ModelCommands.h"

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
    TCommandResult result = TModelCommands::ChangeClass(projectId, classId_, className, friendName);
    if (!result.Done())
        return Message(QString::fromStdString(result.message));
    owner_.SetSelectedClassText(QString::fromStdString(className));
    Message(QString::fromStdString(result.message));
    accept();
}
