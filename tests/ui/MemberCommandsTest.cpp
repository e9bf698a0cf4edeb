// The member commands and the add and change member dialogs.
#include "UiTestSupport.h"

#include "ui/dialogs/AddMemberForm.h"
#include "ui/dialogs/UpdateMemberForm.h"

#include "model/commands/ModelCommands.h"
#include "model/store/MemberDAO.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct TEntry {
    const char* name;
    const char* type;
    const char* flags = ""; // m required, p primary, q query
    const char* length = "20";
};

// Enters each entry and presses "确定"; returns how many closed the dialog.
int Submit(TMemberForm& form, const std::vector<TEntry>& entries)
{
    int closed = 0;
    for (const TEntry& entry : entries) {
        auto has = [&entry](char flag) { return std::string(entry.flags).find(flag) != std::string::npos; };
        form.Edt_MemberName->setText(QString::fromUtf8(entry.name));
        form.CB_MemberType->setCurrentIndex(form.CB_MemberType->findText(QString::fromUtf8(entry.type)));
        form.Edt_MemberLength->setText(entry.length);
        form.FlagBox("CB_MemberIsMust")->setChecked(has('m'));
        form.FlagBox("CB_MemberIsPri")->setChecked(has('p'));
        form.FlagBox("CB_QueryFlag")->setChecked(has('q'));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        closed += form.result() == QDialog::Accepted ? 1 : 0;
    }
    return closed;
}

// The dialog's fields as one line: name|type index|length|flags|comment.
QString Fields(const TMemberForm& form)
{
    QString flags;
    for (const QCheckBox* box : { form.FlagBox("CB_MemberIsPri"), form.FlagBox("CB_MemberIsMust"),
             form.FlagBox("CB_QueryFlag"), form.FlagBox("CB_MemberIsDisplay"), form.FlagBox("CB_MemberQueryDisplay") })
        flags += box->isChecked() ? "x" : "-";
    return QStringList({ form.Edt_MemberName->text(), QString::number(form.CB_MemberType->currentIndex()),
                           form.Edt_MemberLength->text(), flags, form.Edt_MemberComment->text() })
        .join('|');
}

QStringList TypeList(const TMemberForm& form)
{
    QStringList types;
    for (int i = 0; i < form.CB_MemberType->count(); ++i)
        types << form.CB_MemberType->itemText(i);
    return types;
}

} // namespace

class MemberCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        model_ = std::make_unique<TTempModel>();
        project_ = PlantProject("Library");
        book_ = PlantClass(project_, "Book");
        PlantClass(project_, "Author");
    }
    void cleanup() { model_.reset(); }

    void AddDialogRefusesInOrderThenStores();
    void EmptyNameTakesTheFocus();
    void ChangeDialogIsFilledFromTheMember();
    void ChangeDialogRulesUpdateAndDelete();
    void RealModalDialogIsCentredAndWorks();
    void MemberDeletedElsewhereOpensNoDialog();
    void MemberDeletedWhileItsDialogIsOpenIsNotStored();
    void NoMemberOfAnotherClassStaysEditable();
    void LongTypeListGetsAFilter();

private:
    std::unique_ptr<TTempModel> model_;
    int project_ = 0, book_ = 0;
};

void MemberCommandsTest::AddDialogRefusesInOrderThenStores()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    int closed = -1;
    t.OnDialog([&](QDialog& dialog) {
        auto* form = qobject_cast<TAddMemberForm*>(&dialog);
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QString("添加成员属性"));
        QCOMPARE(form->size(), QSize(389, 331));
        QCOMPARE(TypeList(*form),
            QStringList({ "字符串", "整型", "浮点型", "日期型", "长整型", "定点数", "双精度", "Author" }));
        QCOMPARE(Fields(*form), QString("|0|20|----x|"));
        form->Edt_MemberComment->setText("页数");
        form->FlagBox("CB_MemberIsDisplay")->setChecked(true);
        form->FlagBox("CB_MemberQueryDisplay")->setChecked(false);
        closed = Submit(*form,
            { { "", "日期型" }, { "Title", "日期型" }, { "published", "日期型" }, { "author", "Author" },
                { "price", "浮点型", "mp" }, { "published", "日期型", "mp" }, { "pages", "整型", "mq" },
                { "price", "浮点型", "mq" }, { "title", "字符串", "", "0" }, { "class", "字符串" },
                { "pages", "整型", "mp", "50" } });
    });
    Find<QAction>(w, "Act_AddMember")->trigger();
    QCOMPARE(t.dialogs.Messages(),
        QStringList({ "成员名称输入不能为空!", "成员属性首个字母必须小写",
            "除了字符串类型外其他类型必须勾选是否必填标志!", "除了字符串类型外其他类型必须勾选是否必填标志!",
            "主键字段必须是整型或字符串型!", "主键字段必须是整型或字符串型!", "参与查询的字段不要设置整型或浮点型",
            "参与查询的字段不要设置整型或浮点型", "字符串类型的长度必须是 1 到 65535 之间的整数!",
            "成员名称 class 是 Java 关键字，不能使用!", "类成员属性添加成功!" }));
    QCOMPARE(closed, 1);
    QStringList row;
    for (int c = 1; c < 10; ++c)
        row << Find<QTableWidget>(w, "LV_Member")->item(0, c)->text();
    // An integer member keeps length 0 whatever the field held.
    QCOMPARE(row, QStringList({ "pages", "整型", "0", "是", "是", "否", "是", "否", "页数" }));
    std::optional<TMember> pages =
        TMemberDAO().GetMember(Find<QTableWidget>(w, "LV_Member")->item(0, 0)->text().toInt());
    QCOMPARE(pages->GetMemberIsInteger(), 1);
    QCOMPARE(pages->GetMemberQueryDisplay(), 0);
    QCOMPARE(pages->GetClassId(), book_);
}

void MemberCommandsTest::EmptyNameTakesTheFocus()
{
    TWindowUnderTest t;
    t.OnDialog([&](QDialog& dialog) {
        auto& form = static_cast<TMemberForm&>(dialog);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Edt_MemberComment->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), form.Edt_MemberComment);
        Submit(form, { { "", "字符串" } });
        QTRY_COMPARE(QApplication::focusWidget(), form.Edt_MemberName);
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.Button2, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
    });
    Find<QAction>(*t.window, "Act_AddMember")->trigger();
    QCOMPARE(t.dialogs.Messages(), QStringList({ "成员名称输入不能为空!" }));
    QCOMPARE(TMemberDAO().OpenClassMembers(book_)->RecordCount(), 0);
}

void MemberCommandsTest::ChangeDialogIsFilledFromTheMember()
{
    PlantMember(project_, book_, "title", "字符串", "pd", 60, "书名");
    int author = PlantMember(project_, book_, "author", "Author", "mqh", 0, "作者");
    TMember odd = *TMemberDAO().GetMember(author);
    odd.SetMemberType("Ghost"); // names no class any more
    odd.SetMemberIsMust(2);
    PlantMember(odd);

    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QStringList seen;
    t.OnDialog([&](QDialog& dialog) {
        auto* form = qobject_cast<TUpdateMemberForm*>(&dialog);
        QVERIFY(form);
        QCOMPARE(form->MemberId(), w.Lists().SelectedMemberId());
        QCOMPARE(form->windowTitle() + QString::number(form->width()) + "x" + QString::number(form->height()),
            QString("更新成员属性372x320"));
        QCOMPARE(TypeList(*form),
            QStringList({ "字符串", "整型", "浮点型", "日期型", "长整型", "定点数", "双精度", "Author" }));
        seen << Fields(*form);
    });
    Find<QAction>(*t.window, "Act_UpdateMember")->trigger(); // no row selected yet
    ClickMember(w, 0, true);
    ClickMember(w, 1);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    ClickMember(w, 2, true);
    QCOMPARE(t.dialogs.Messages(), QStringList({ "请先选择一个成员" }));
    // A type that is not in the list selects nothing; a flag of 2 is unchecked.
    QCOMPARE(seen, QStringList({ "title|0|60|x--xx|书名", "author|7|0|-xx--|作者", "author|-1|0|--x--|作者" }));
}

void MemberCommandsTest::ChangeDialogRulesUpdateAndDelete()
{
    int title = PlantMember(project_, book_, "title", "字符串", "pd", 60);
    int price = PlantMember(project_, book_, "price", "浮点型", "m");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    int closed = -1;
    t.OnDialog([&](QDialog& dialog) {
        closed = Submit(static_cast<TMemberForm&>(dialog),
            { { "", "字符串" }, { "Name", "字符串" }, { "name", "日期型" }, { "name", "整型", "mq" },
                { "price", "字符串" }, { "name", "字符串", "p", "80" } });
    });
    ClickMember(w, 0);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    QCOMPARE(closed, 1);
    QCOMPARE(t.dialogs.Messages(),
        QStringList(
            { "成员名称输入不能为空!", "成员属性首个字母必须小写", "除了字符串类型外其他类型必须勾选是否必填标志!",
                "参与查询的字段不要设置整型或浮点型", "该成员名称已经存在!", "类成员属性更新成功!" }));
    QCOMPARE(MemberColumn(w, 1), QStringList({ "name", "price" }));
    QCOMPARE(MemberColumn(w, 3), QStringList({ "80", "0" }));
    QCOMPARE(TMemberDAO().GetMember(title)->GetMemberName(), std::string("name"));

    // A float primary member passes the change dialog's own checks, but the
    // stricter rule still refuses it.
    t.dialogs.shown.clear();
    t.OnDialog([&](QDialog& dialog) {
        closed = Submit(static_cast<TMemberForm&>(dialog), { { "price", "浮点型", "mp" } });
    });
    ClickMember(w, 1);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    QCOMPARE(closed, 0);
    QCOMPARE(t.dialogs.Messages(), QStringList({ "主键字段必须是整型或字符串型!" }));

    t.dialogs.shown.clear();
    t.dialogs.confirmAnswers = { false, true };
    Find<QAction>(w, "Act_DeleteMember")->trigger();
    QCOMPARE(t.dialogs.shown[0].kind, TShownBox::Confirm);
    QCOMPARE(t.dialogs.shown[0].text + "|" + t.dialogs.shown[0].title,
        QString("确定删除当前成员属性?\n\n成员: price（类 Book）|删除提示"));
    QCOMPARE(Find<QTableWidget>(w, "LV_Member")->rowCount(), 2);
    Find<QAction>(w, "Act_DeleteMember")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("成员属性删除成功"));
    QCOMPARE(MemberColumn(w, 1), QStringList({ "name" }));
    QVERIFY(!TMemberDAO().GetMember(price));
}

void MemberCommandsTest::RealModalDialogIsCentredAndWorks()
{
    TScriptedDialogs dialogs;
    TFormMain window(&dialogs);
    window.move(50, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPoint offCentre(1000, 1000);
    QTimer::singleShot(0, &window, [&] {
        auto* form = qobject_cast<TAddMemberForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        offCentre = form->geometry().center() - window.geometry().center();
        form->Edt_MemberName->setText("isbn");
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    });
    Find<QAction>(window, "Act_AddMember")->trigger();
    QCOMPARE(dialogs.Messages(), QStringList({ "类成员属性添加成功!" }));
    QCOMPARE(MemberColumn(window, 1), QStringList({ "isbn" }));
    QVERIFY(offCentre.manhattanLength() <= 30);
}

void MemberCommandsTest::MemberDeletedElsewhereOpensNoDialog()
{
    int title = PlantMember(project_, book_, "title", "字符串", "pd", 60);
    int price = PlantMember(project_, book_, "price", "浮点型", "m");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QCOMPARE(MemberColumn(w, 1), QStringList({ "title", "price" }));

    TModelCommands::DeleteMember(title); // by another program
    ClickMember(w, 0, true);
    QCOMPARE(t.dialogsRun, 0);
    QCOMPARE(t.dialogs.Messages(), QStringList({ "该成员已不存在，请重新选择!" }));
    QCOMPARE(MemberColumn(w, 1), QStringList({ "price" }));

    TModelCommands::DeleteMember(price);
    ClickMember(w, 0);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    QCOMPARE(t.dialogsRun, 0);
    QCOMPARE(t.dialogs.Messages(), QStringList({ "该成员已不存在，请重新选择!", "该成员已不存在，请重新选择!" }));
    QCOMPARE(Find<QTableWidget>(w, "LV_Member")->rowCount(), 0);
}

void MemberCommandsTest::MemberDeletedWhileItsDialogIsOpenIsNotStored()
{
    int title = PlantMember(project_, book_, "title", "字符串", "pd", 60);
    PlantMember(project_, book_, "price", "浮点型", "m");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    int closed = -1;
    bool visibleAfter = true;
    t.OnDialog([&](QDialog& dialog) {
        auto& form = static_cast<TMemberForm&>(dialog);
        form.show();
        TModelCommands::DeleteMember(title); // by another program
        closed = Submit(form, { { "name", "字符串", "", "40" } });
        visibleAfter = form.isVisible();
        QCOMPARE(form.result(), int(QDialog::Rejected));
    });
    ClickMember(w, 0);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    QCOMPARE(t.dialogsRun, 1);
    QCOMPARE(closed, 0);
    QVERIFY(!visibleAfter);
    QCOMPARE(t.dialogs.Messages(), QStringList({ "该成员已不存在，请重新选择!" }));
    QCOMPARE(MemberColumn(w, 1), QStringList({ "price" }));
    QVERIFY(!TMemberDAO().GetMember(title));
    QCOMPARE(TMemberDAO().OpenClassMembers(book_)->RecordCount(), 1);
}

// After "删除类(&S)" the table keeps the deleted class's rows; they can no
// longer be changed.
// After 删除类, or on a project without classes, the member table is empty
// and no member command reaches a member of another class or project.
void MemberCommandsTest::NoMemberOfAnotherClassStaysEditable()
{
    int title = PlantMember(project_, book_, "title", "字符串", "pd", 60);
    PlantProject("Empty");
    struct TCase {
        const char* name;
        std::function<void(TWindowUnderTest&)> leave;
        bool memberStays;
    };
    const TCase cases[] = {
        { "switch to a project without classes", [](TWindowUnderTest& t) { NextProject(*t.window); }, true },
        { "delete the class",
            [](TWindowUnderTest& t) {
                t.dialogs.confirmAnswers = { true };
                Find<QAction>(*t.window, "Act_DeleteClass")->trigger();
            },
            false },
    };
    for (const auto& c : cases) {
        TWindowUnderTest t;
        TFormMain& w = *t.window;
        QCOMPARE(MemberColumn(w, 1), QStringList({ "title" }));
        ClickMember(w, 0);
        c.leave(t);
        QVERIFY2(MemberColumn(w, 1).isEmpty(), c.name);
        QVERIFY2(Find<QLabel>(w, "Lbl_CurrentClass")->text().isEmpty(), c.name);
        t.dialogs.confirmAnswers = { true, true };
        int shown = t.dialogs.shown.size();
        Find<QAction>(w, "Act_UpdateMember")->trigger();
        Find<QAction>(w, "Act_DeleteMember")->trigger();
        QCOMPARE(t.dialogsRun, 0);
        QCOMPARE(t.dialogs.shown.size(), shown + 2); // two messages, no confirmation
        QCOMPARE(t.dialogs.LastMessage(), QString("请先选择一个成员"));
        QCOMPARE(TMemberDAO().GetMember(title).has_value(), c.memberStays);
    }
}

void MemberCommandsTest::LongTypeListGetsAFilter()
{
    TWindowUnderTest t;
    QStringList seen;
    t.OnDialog([&](QDialog& dialog) {
        auto& form = static_cast<TMemberForm&>(dialog);
        if (!form.Edt_TypeFilter->isVisibleTo(&form)) {
            seen << "none";
            return;
        }
        auto* view = qobject_cast<QListView*>(form.CB_MemberType->view());
        form.Edt_TypeFilter->setText("shelf2");
        QStringList shown;
        for (int row = 0; row < form.CB_MemberType->count(); ++row)
            if (!view->isRowHidden(row))
                shown << form.CB_MemberType->itemText(row);
        seen << shown.join(',') + "|" + form.CB_MemberType->currentText();
        form.Edt_TypeFilter->setText("nothing");
        seen << form.CB_MemberType->currentText();
        form.Edt_TypeFilter->setText("shelf1");
        form.show();
        QTest::keyClick(form.Edt_TypeFilter, Qt::Key_Return); // opens the list, does not accept
        seen << QString::number(view->isVisible()) + "|" + QString::number(form.isVisible());
        form.CB_MemberType->hidePopup();
        form.hide();
        form.Edt_TypeFilter->clear();
        seen << QString::number(view->isRowHidden(0));
    });
    Find<QAction>(*t.window, "Act_AddMember")->trigger(); // 6 types and Author
    for (int i = 0; i < 25; ++i)
        PlantClass(project_, "Shelf" + std::to_string(i));
    Find<QAction>(*t.window, "Act_AddMember")->trigger();
    QCOMPARE(
        seen, QStringList({ "none", "Shelf2,Shelf20,Shelf21,Shelf22,Shelf23,Shelf24|字符串", "字符串", "1|1", "0" }));
}

QTEST_MAIN(MemberCommandsTest)
#include "MemberCommandsTest.moc"
