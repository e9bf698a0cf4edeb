#include "UiTestSupport.h"

#include "codegen/targets/legacy/SupportFiles.h"

#include <QComboBox>
#include <QListWidget>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

void TScriptedDialogs::ShowMessage(QWidget*, const QString& text, const QString& title, TMessageIcon icon)
{
    shown.push_back({ TShownBox::Message, title, text, icon, {}, {} });
    if (onShow)
        onShow(shown.back());
}

bool TScriptedDialogs::Confirm(QWidget*, const QString& text, const QString& title)
{
    shown.push_back({ TShownBox::Confirm, title, text, TMessageIcon::Information, {}, {} });
    bool answer = !confirmAnswers.empty() && confirmAnswers.front();
    if (!confirmAnswers.empty())
        confirmAnswers.pop_front();
    return answer;
}

namespace {

// The next answer of a queue; no value when the test gave none.
std::optional<QString> NextAnswer(std::deque<std::optional<QString>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    // Taken apart rather than copied whole: GCC's optimiser sees a copied
    // std::optional<QString> as maybe uninitialised.
    const bool given = answers.front().has_value();
    QString text = given ? *answers.front() : QString();
    answers.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

} // namespace

std::optional<QString> TScriptedDialogs::InputText(
    QWidget*, const QString& title, const QString& prompt, const QString& defaultText)
{
    shown.push_back({ TShownBox::Input, title, prompt, TMessageIcon::None, defaultText, {} });
    return NextAnswer(inputAnswers);
}

std::optional<QString> TScriptedDialogs::SaveFileName(
    QWidget*, const QString& title, const QString& suggested, const QString& filter)
{
    shown.push_back({ TShownBox::SaveFile, title, suggested, TMessageIcon::None, {}, filter });
    return NextAnswer(saveAnswers);
}

std::optional<QString> TScriptedDialogs::OpenFileName(QWidget*, const QString& title, const QString& filter)
{
    shown.push_back({ TShownBox::OpenFile, title, {}, TMessageIcon::None, {}, filter });
    return NextAnswer(openAnswers);
}

QStringList TScriptedDialogs::Messages() const
{
    QStringList texts;
    for (const auto& box : shown)
        if (box.kind == TShownBox::Message)
            texts << box.text;
    return texts;
}

namespace {

// Forgets the project last shown unless asked to keep it; true for the
// member initialiser list.
bool ForgetLastProject(bool keep)
{
    if (!keep)
        QSettings("javagen", "workbench").remove("lastProject");
    return true;
}

} // namespace

TWindowUnderTest::TWindowUnderTest(bool reopenLast)
    : window((ForgetLastProject(reopenLast), std::make_unique<TFormMain>(&dialogs)))
{
    OnDialog([](QDialog&) {});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the window under test was not exposed");
}

void TWindowUnderTest::OnDialog(std::function<void(QDialog&)> runner)
{
    window->SetDialogRunner([this, runner](QDialog& dialog) {
        ++dialogsRun;
        runner(dialog);
    });
}

QStringList ShopProgressLines(const QString& src, const QString& package)
{
    QStringList expected = { src + "struts.xml生成完成!", src + "hibernate.cfg.xml生成完成!",
        package + "domain/Customer.hbm.xml生成完成!", package + "domain/Purchase.hbm.xml生成完成!" };
    for (const TSupportFile& file : SupportFileList())
        expected << package + file.kind + "/" + file.fileName + "移动完毕!";
    for (const char* file : { "domain/Customer.java", "domain/Purchase.java", "action/CustomerAction.java",
             "action/PurchaseAction.java", "dao/CustomerDAO.java", "dao/PurchaseDAO.java" })
        expected << package + file + "生成完毕!";
    return expected;
}

QStringList ProjectEntries(const TFormMain& window)
{
    QStringList texts;
    for (int i = 0; i < Find<QComboBox>(window, "CB_Project")->count(); ++i)
        texts << Find<QComboBox>(window, "CB_Project")->itemText(i);
    return texts;
}

QStringList ClassEntries(const TFormMain& window)
{
    QStringList texts;
    for (int i = 0; i < Find<QListWidget>(window, "LB_Object")->count(); ++i)
        texts << Find<QListWidget>(window, "LB_Object")->item(i)->text();
    return texts;
}

QStringList MemberColumn(const TFormMain& window, int column)
{
    QStringList texts;
    for (int row = 0; row < Find<QTableWidget>(window, "LV_Member")->rowCount(); ++row)
        texts << Find<QTableWidget>(window, "LV_Member")->item(row, column)->text();
    return texts;
}

namespace {

// A real double click is a click followed by the double-click event.
void Click(QWidget* viewport, QPoint position, bool doubleClick)
{
    QTest::mouseClick(viewport, Qt::LeftButton, {}, position);
    if (doubleClick)
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, position);
}

} // namespace

void ClickClass(TFormMain& window, int row, bool doubleClick)
{
    QListWidget* list = Find<QListWidget>(window, "LB_Object");
    Click(list->viewport(), list->visualItemRect(list->item(row)).center(), doubleClick);
}

void ClickMember(TFormMain& window, int row, bool doubleClick)
{
    QTableWidget* table = Find<QTableWidget>(window, "LV_Member");
    Click(table->viewport(), table->visualItemRect(table->item(row, 1)).center(), doubleClick);
}

void NextProject(TFormMain& window)
{
    Find<QComboBox>(window, "CB_Project")->setFocus();
    QTest::keyClick(Find<QComboBox>(window, "CB_Project"), Qt::Key_Down);
}
