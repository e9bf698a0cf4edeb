#include "ui/dialogs/UpdateClassForm.h"

#include "model/commands/ModelCommands.h"
#include "model/commands/ModelReads.h"

#include <QLineEdit>

TUpdateClassForm::TUpdateClassForm(
    const TFormContext& context, const QString& className, std::function<void(const QString&)> renamed)
    : TClassForm(context, "UpdateClassForm", "类更新", 271, 214)
    , renamed_(std::move(renamed))
{
    Edt_ClassName->setText(className);
    Edt_FriendName->setText(QString::fromStdString(ReadFriendName(context_.classId)));
}

void TUpdateClassForm::Accept()
{
    std::string className = Edt_ClassName->text().toStdString();
    std::string friendName = Edt_FriendName->text().toStdString();
    TCommandResult result = TModelCommands::ChangeClass(context_.projectId, context_.classId, className, friendName);
    if (!result.Done())
        return Message(QString::fromStdString(result.message));
    renamed_(QString::fromStdString(className));
    Message(QString::fromStdString(result.message));
    accept();
}
