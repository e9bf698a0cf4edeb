#include "ui/dialogs/ImportDbForm.h"

#include "model/rules/EntryRules.h"
#include "ui/dialogs/ScreenFit.h"
#include "ui/dialogs/UiText.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <thread>

TImportDbForm::TImportDbForm(QWidget* owner, IDialogs& dialogs)
    : QDialog(owner)
    , dialogs_(dialogs)
{
    setObjectName("ImportDbForm");
    setWindowTitle(Text("从数据库导入"));
    setModal(true);
    // On a small screen the fields scroll; the buttons stay in view.
    auto* outer = new QVBoxLayout(this);
    auto* layout = new QVBoxLayout(AddScrollingBody(*this, *outer));
    layout->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    Edt_Host = new QLineEdit(Text("127.0.0.1"), this);
    Edt_Host->setObjectName("Edt_Host");
    Edt_Port = new QSpinBox(this);
    Edt_Port->setObjectName("Edt_Port");
    Edt_Port->setRange(1, 65535);
    Edt_Port->setValue(3306);
    Edt_User = new QLineEdit(this);
    Edt_User->setObjectName("Edt_User");
    Edt_Password = new QLineEdit(this);
    Edt_Password->setObjectName("Edt_Password");
    Edt_Password->setEchoMode(QLineEdit::Password);
    Edt_Database = new QLineEdit(this);
    Edt_Database->setObjectName("Edt_Database");
    form->addRow(Text("服务器："), Edt_Host);
    form->addRow(Text("端口："), Edt_Port);
    form->addRow(Text("用户名："), Edt_User);
    form->addRow(Text("密码："), Edt_Password);
    form->addRow(Text("数据库："), Edt_Database);
    layout->addLayout(form);
    Btn_Connect = new QPushButton(Text("连接并列出表(&L)"), this);
    Btn_Connect->setObjectName("Btn_Connect");
    auto* connectRow = new QHBoxLayout;
    connectRow->addWidget(Btn_Connect);
    Lbl_Busy = new QLabel(this);
    Lbl_Busy->setObjectName("Lbl_Busy");
    connectRow->addWidget(Lbl_Busy, 1);
    PB_Busy = new QProgressBar(this);
    PB_Busy->setObjectName("PB_Busy");
    PB_Busy->setRange(0, 0); // no steps to count: it only shows that work goes on
    PB_Busy->setMaximumWidth(120);
    PB_Busy->setTextVisible(false);
    PB_Busy->hide();
    connectRow->addWidget(PB_Busy);
    layout->addLayout(connectRow);
    layout->addWidget(new QLabel(Text("要导入的表："), this));
    LB_Tables = new QListWidget(this);
    LB_Tables->setObjectName("LB_Tables");
    layout->addWidget(LB_Tables, 1);
    CB_TextQuery = new QCheckBox(Text("文本列设为参与查询的成员"), this);
    CB_TextQuery->setObjectName("CB_TextQuery");
    layout->addWidget(CB_TextQuery);
    // BLOB columns are files only on the current target.
    CB_TargetCurrent = new QCheckBox(
        Text("新工程的目标框架为 Struts 7 + Hibernate 7(BLOB 等二进制列导入为可上传、下载的二进制成员)"), this);
    CB_TargetCurrent->setObjectName("CB_TargetCurrent");
    layout->addWidget(CB_TargetCurrent);
    auto* name = new QFormLayout;
    Edt_ProjectName = new QLineEdit(this);
    Edt_ProjectName->setObjectName("Edt_ProjectName");
    name->addRow(Text("新工程名称："), Edt_ProjectName);
    layout->addLayout(name);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Btn_Import = new QPushButton(Text("预览并导入(&I)"), this);
    Btn_Import->setObjectName("Btn_Import");
    Btn_Import->setEnabled(false);
    Btn_Cancel = new QPushButton(Text("取消"), this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    buttons->addWidget(Btn_Import);
    buttons->addWidget(Btn_Cancel);
    outer->addLayout(buttons);
    connect(Btn_Connect, &QPushButton::clicked, this, [this] { RunGuarded(dialogs_, this, [this] { Connect(); }); });
    connect(Btn_Import, &QPushButton::clicked, this, [this] { RunGuarded(dialogs_, this, [this] { Import(); }); });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitToScreen(*this, QSize(520, 560), false);
}

TImportDbForm::~TImportDbForm()
{
    if (connecting_)
        QApplication::restoreOverrideCursor();
}

void TImportDbForm::reject()
{
    // While connecting, 取消 (and Esc) stops the attempt and keeps the dialog.
    if (connecting_)
        return CancelConnect();
    QDialog::reject();
}

TDbConnection TImportDbForm::Connection() const
{
    TDbConnection c;
    c.host = Edt_Host->text().trimmed().toStdString();
    c.port = static_cast<unsigned>(Edt_Port->value());
    c.user = Edt_User->text().toStdString();
    c.password = Edt_Password->text().toStdString();
    c.database = Edt_Database->text().trimmed().toStdString();
    return c;
}

void TImportDbForm::Fill(const TDbConnection& connection)
{
    Edt_Host->setText(Text(connection.host));
    Edt_Port->setValue(static_cast<int>(connection.port));
    Edt_User->setText(Text(connection.user));
    Edt_Database->setText(Text(connection.database));
}

std::vector<std::string> TImportDbForm::CheckedTables() const
{
    std::vector<std::string> tables;
    for (int i = 0; i < LB_Tables->count(); ++i)
        if (LB_Tables->item(i)->checkState() == Qt::Checked)
            tables.push_back(LB_Tables->item(i)->data(Qt::UserRole).toString().toStdString());
    return tables;
}

void TImportDbForm::Connect()
{
    LB_Tables->clear();
    schema_.reset();
    Btn_Import->setEnabled(false);
    const TDbConnection connection = Connection();
    const unsigned attempt = ++attempt_;
    SetConnecting(true);
    Lbl_Busy->setText(Text("正在连接 ") + Text(connection.host) + Text(":") + QString::number(connection.port) +
        Text(" …（按“取消”停止）"));
    // The server may take its full timeout to answer: the window keeps
    // painting meanwhile. The answer comes back through the event loop and
    // is dropped when the attempt was cancelled or the dialog has gone.
    QPointer<TImportDbForm> self(this);
    std::thread([self, connection, attempt] {
        auto answer = std::make_shared<TAnswer>();
        try {
            answer->schema = ReadDbSchema(connection);
        } catch (const std::exception& e) {
            answer->error = e.what();
        } catch (...) {
            answer->error = "未知错误";
        }
        QMetaObject::invokeMethod(
            qApp,
            [self, attempt, answer] {
                if (self)
                    self->Answered(attempt, std::move(*answer));
            },
            Qt::QueuedConnection);
    }).detach();
}

void TImportDbForm::SetConnecting(bool on)
{
    if (on == connecting_)
        return;
    connecting_ = on;
    PB_Busy->setVisible(on);
    for (QWidget* field : { static_cast<QWidget*>(Edt_Host), static_cast<QWidget*>(Edt_Port),
             static_cast<QWidget*>(Edt_User), static_cast<QWidget*>(Edt_Password), static_cast<QWidget*>(Edt_Database),
             static_cast<QWidget*>(Btn_Connect) })
        field->setEnabled(!on);
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TImportDbForm::CancelConnect()
{
    ++attempt_;
    SetConnecting(false);
    Lbl_Busy->setText(Text("已取消连接。"));
    Btn_Connect->setFocus();
}

void TImportDbForm::Answered(unsigned attempt, TAnswer answer)
{
    if (attempt != attempt_ || !connecting_)
        return;
    SetConnecting(false);
    Lbl_Busy->clear();
    if (!answer.schema) {
        Btn_Connect->setFocus();
        return dialogs_.ShowMessage(this, Text(answer.error), Text(kErrorTitle), TMessageIcon::Critical);
    }
    schema_ = std::move(answer.schema);
    for (const auto& table : schema_->tables) {
        QString text = Text(table.name);
        if (!table.comment.empty())
            text += Text("（") + Text(table.comment) + Text("）");
        if (table.view)
            text += Text(" [视图，只读]");
        auto* item = new QListWidgetItem(text, LB_Tables);
        item->setData(Qt::UserRole, Text(table.name));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (Edt_ProjectName->text().isEmpty())
        Edt_ProjectName->setText(Edt_Database->text().trimmed());
    Btn_Import->setEnabled(true);
    LB_Tables->setFocus();
}

void TImportDbForm::Import()
{
    if (CheckedTables().empty())
        return ShowPlainMessage(dialogs_, this, Text("请至少选择一个表!"));
    // A name the import would refuse (one taken, most often) is asked for
    // again here, before the preview, with everything else kept.
    TVerdict name = CheckNewProject(Edt_ProjectName->text().toStdString());
    if (!name.Accepted()) {
        ShowPlainMessage(dialogs_, this, Text(name.message) + Text("\n请输入另一个新工程名称。"));
        Edt_ProjectName->setFocus();
        Edt_ProjectName->selectAll();
        return;
    }
    accept();
}
