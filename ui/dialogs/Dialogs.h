#pragma once
#include <QString>

#include <functional>
#include <optional>

class QWidget;

enum class TMessageIcon { None, Information, Warning, Critical };

// The modal boxes the workbench shows: messages, OK/Cancel confirmations and
// text input boxes. The window and its dialogs show them only through this
// interface, so that tests can answer them and read what was shown.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // A message with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& title, TMessageIcon icon) = 0;
    // OK and Cancel, information icon; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text, const QString& title) = 0;
    // Yes and No for a step that cannot be undone, No the default; true for
    // Yes. Scripted boxes answer it as a confirmation.
    virtual bool ConfirmDefaultNo(QWidget* parent, const QString& text, const QString& title)
    {
        return Confirm(parent, text, title);
    }
    // A one-line input box; no value when cancelled.
    virtual std::optional<QString> InputText(
        QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText) = 0;
    // The standard file dialogs; no value when cancelled. Boxes that cannot
    // ask (tests that do not answer them) cancel.
    virtual std::optional<QString> SaveFileName(
        QWidget* parent, const QString& title, const QString& suggested, const QString& filter);
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title, const QString& filter);
};

// The boxes on QMessageBox and QInputDialog.
class TMessageBoxDialogs : public IDialogs {
public:
    void ShowMessage(QWidget* parent, const QString& text, const QString& title, TMessageIcon icon) override;
    bool Confirm(QWidget* parent, const QString& text, const QString& title) override;
    bool ConfirmDefaultNo(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> InputText(
        QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> SaveFileName(
        QWidget* parent, const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<QString> OpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
};

// Title of the plain messages (refusals and confirmations of success).
extern const char* const kMessageTitle;
// Title of the box that shows an error escaping a command.
extern const char* const kErrorTitle;

// A plain message: the title above, no icon.
void ShowPlainMessage(IDialogs& dialogs, QWidget* parent, const QString& text);

// Runs a command; a database, file or other error escaping it is shown in an
// error box and the window carries on. Qt must never see an exception pass
// through its event loop.
void RunGuarded(IDialogs& dialogs, QWidget* parent, const std::function<void()>& command);
