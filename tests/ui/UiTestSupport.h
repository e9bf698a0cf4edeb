#pragma once
#include "ModelBuilder.h"
#include "TempModel.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/window/FormMain.h"

#include <QStringList>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One box the window asked for.
struct TShownBox {
    enum Kind { Message, Confirm, Input, SaveFile, OpenFile } kind;
    QString title;
    QString text; // the message, the input box's prompt, or the suggested file name
    TMessageIcon icon = TMessageIcon::None;
    QString defaultText;
    QString filter; // the file dialogs' file types
};

// Answers the window's boxes from queues filled by the test and records every
// box shown; an unanswered confirmation is cancelled, an unanswered input box
// or file dialog gives no value.
class TScriptedDialogs : public IDialogs {
public:
    void ShowMessage(QWidget*, const QString& text, const QString& title, TMessageIcon icon) override;
    bool Confirm(QWidget*, const QString& text, const QString& title) override;
    std::optional<QString> InputText(
        QWidget*, const QString& title, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> SaveFileName(
        QWidget*, const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<QString> OpenFileName(QWidget*, const QString& title, const QString& filter) override;

    // Texts of the messages (not confirmations or input boxes), in order.
    QStringList Messages() const;
    QString LastMessage() const { return Messages().value(Messages().size() - 1); }

    std::vector<TShownBox> shown;
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::function<void(const TShownBox&)> onShow;
};

// The window's (or a dialog's) control of that object name; the test fails
// at once when there is none.
template<class T> T* Find(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// A path as Qt takes it.
inline QString QtPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// A shown window on scripted boxes whose class and member dialogs go to the
// test's runner instead of being executed.
struct TWindowUnderTest {
    TScriptedDialogs dialogs;
    std::unique_ptr<TFormMain> window;
    int dialogsRun = 0;

    // The window opens on the first project unless reopenLast: then on the
    // project a window last showed, as the program does.
    explicit TWindowUnderTest(bool reopenLast = false);
    void OnDialog(std::function<void(QDialog&)> runner);
};

// The progress lines of a run of the Shop model (classes Customer and
// Purchase) in their order; src and package end in "/".
QStringList ShopProgressLines(const QString& src, const QString& package);

QStringList ProjectEntries(const TFormMain& window);
QStringList ClassEntries(const TFormMain& window);
QStringList MemberColumn(const TFormMain& window, int column);
// The mouse on an entry of the class list or a row of the member table.
void ClickClass(TFormMain& window, int row, bool doubleClick = false);
void ClickMember(TFormMain& window, int row, bool doubleClick = false);
// The user picks the next project with the keyboard.
void NextProject(TFormMain& window);
