#include "AddClassForm.h"

#include "FormMain.h"

#include "ModelCommands.h"

#include <QLineEdit>

TAddClassForm::TAddClassForm(TFormMain& owner)
    : TClassForm(owner, "AddClassForm", "添加类", 269, 218)
{
}

void TAddClassForm::Accept()
{
    int projectId = owner_.SelectedProjectId();
    std::string className = Edt_ClassName->text().toStdString();
    std::string friendName = Edt_FriendName->text().toStdString();
    TCommandResult result = TModelCommands::AddClass(projectId, className, friendName);
    if (!result.Done())
        return Message(QString::fromStdString(result.message));
    owner_.ReloadClasses(projectId);
    Message(QString::fromStdString(result.message));
    accept();
}
