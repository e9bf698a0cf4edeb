#include "ui/dialogs/ReportForm.h"

#include "ui/dialogs/ScreenFit.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TReportForm::TReportForm(
    QWidget* owner, const QString& title, const QString& intro, const QStringList& lines, const QString& okText)
    : QDialog(owner)
{
    setObjectName("ReportForm");
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(intro, this));
    Memo_Report = new QPlainTextEdit(this);
    Memo_Report->setObjectName("Memo_Report");
    Memo_Report->setReadOnly(true);
    Memo_Report->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_Report->setPlainText(lines.join('\n'));
    layout->addWidget(Memo_Report, 1);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("Buttons");
    Buttons->button(QDialogButtonBox::Ok)->setText(okText);
    Buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("取消"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FitToScreen(*this, QSize(640, 480), false);
}
