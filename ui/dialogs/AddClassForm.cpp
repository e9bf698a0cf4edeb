#include "ui/dialogs/AddClassForm.h"

#include "model/commands/ModelCommands.h"

#include <QLineEdit>

TAddClassForm::TAddClassForm(const TFormContext& context)
    : TClassForm(context, "AddClassForm", "添加类", 269, 218)
{
}

void TAddClassForm::Accept()
{
    int projectId = context_.projectId;
    std::string className = Edt_ClassName->text().toStdString();
    std::string friendName = Edt_FriendName->text().toStdString();
    TCommandResult result = TModelCommands::AddClass(projectId, className, friendName);
    if (!result.Done())
        return Message(QString::fromStdString(result.message));
    context_.reload();
    Message(QString::fromStdString(result.message));
    accept();
}
