#include "ui/dialogs/ClassForm.h"

#include "ui/dialogs/ScreenFit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TClassForm::TClassForm(const TFormContext& context, const char* objectName, const char* caption, int width, int height)
    : QDialog(context.owner)
    , context_(context)
{
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowCloseButtonHint);
    setModal(true);

    // On a small screen the fields scroll; the button stays in view.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 20);
    auto* layout = new QVBoxLayout(AddScrollingBody(*this, *outer));
    layout->setContentsMargins(28, 20, 28, 0);
    layout->setSpacing(6);
    Label1 = new QLabel(QString::fromUtf8("类英文名称:"), this);
    Label1->setObjectName("Label1");
    Edt_ClassName = new QLineEdit(this);
    Edt_ClassName->setObjectName("Edt_ClassName");
    Label1->setBuddy(Edt_ClassName);
    Label2 = new QLabel(QString::fromUtf8("中文友好名称:"), this);
    Label2->setObjectName("Label2");
    Edt_FriendName = new QLineEdit(this);
    Edt_FriendName->setObjectName("Edt_FriendName");
    Label2->setBuddy(Edt_FriendName);
    Button1 = new QPushButton(QString::fromUtf8("确定"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setMinimumWidth(90);

    layout->addWidget(Label1);
    layout->addWidget(Edt_ClassName);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(Edt_FriendName);
    layout->addStretch(1);
    outer->addWidget(Button1, 0, Qt::AlignHCenter);
    FitToScreen(*this, QSize(width, height), true);

    connect(
        Button1, &QPushButton::clicked, this, [this] { RunGuarded(*context_.dialogs, this, [this] { Accept(); }); });
}

void TClassForm::Message(const QString& text)
{
    ShowPlainMessage(*context_.dialogs, this, text);
}
