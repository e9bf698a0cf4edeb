#include "ui/dialogs/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <exception>

const char* const kMessageTitle = "提示";
const char* const kErrorTitle = "错误";

namespace {

QMessageBox::Icon BoxIcon(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Information:
        return QMessageBox::Information;
    case TMessageIcon::Warning:
        return QMessageBox::Warning;
    case TMessageIcon::Critical:
        return QMessageBox::Critical;
    case TMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void TMessageBoxDialogs::ShowMessage(QWidget* parent, const QString& text, const QString& title, TMessageIcon icon)
{
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool TMessageBoxDialogs::Confirm(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool TMessageBoxDialogs::ConfirmDefaultNo(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> TMessageBoxDialogs::InputText(
    QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText)
{
    bool accepted = false;
    QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}

std::optional<QString> IDialogs::SaveFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> IDialogs::OpenFileName(QWidget*, const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> TMessageBoxDialogs::SaveFileName(
    QWidget* parent, const QString& title, const QString& suggested, const QString& filter)
{
    QString name = QFileDialog::getSaveFileName(parent, title, suggested, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> TMessageBoxDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter)
{
    QString name = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void ShowPlainMessage(IDialogs& dialogs, QWidget* parent, const QString& text)
{
    dialogs.ShowMessage(parent, text, QString::fromUtf8(kMessageTitle), TMessageIcon::None);
}

void RunGuarded(IDialogs& dialogs, QWidget* parent, const std::function<void()>& command)
{
    QString error;
    try {
        command();
        return;
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = QString::fromUtf8("未知错误");
    }
    dialogs.ShowMessage(parent, error, QString::fromUtf8(kErrorTitle), TMessageIcon::Critical);
}
