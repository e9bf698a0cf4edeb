#include "AddClassForm.h"

#include "FormMain.h"

#include "ClassDAO.h"
#include "EntryRules.h"

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
    TVerdict verdict = CheckAddClass(projectId, className, friendName);
    if (!verdict.Accepted())
        return Message(QString::fromStdString(verdict.message));
    TClassDAO().AddClass(projectId, className, friendName);
    owner_.ReloadClasses(projectId);
    Message(QString::fromUtf8("类名称添加成功！"));
    accept();
}
