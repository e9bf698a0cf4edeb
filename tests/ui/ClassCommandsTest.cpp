// The class commands and the add and change class dialogs.
#include "UiTestSupport.h"

#include "ui/dialogs/AddClassForm.h"
#include "ui/dialogs/UpdateClassForm.h"

#include "model/store/ClassDAO.h"
#include "model/store/MemberDAO.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Enters each pair into the dialog and presses "确定"; returns the class
// names after which the dialog closed.
QStringList Submit(TClassForm& form, const std::vector<std::pair<const char*, const char*>>& entries)
{
    QStringList closedAfter;
    for (const auto& [className, friendName] : entries) {
        form.Edt_ClassName->setText(QString::fromUtf8(className));
        form.Edt_FriendName->setText(QString::fromUtf8(friendName));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        if (form.result() == QDialog::Accepted)
            closedAfter << className;
    }
    return closedAfter;
}

} // namespace

class ClassCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { model_ = std::make_unique<TTempModel>(); }
    void cleanup() { model_.reset(); }

    void AddClassRefusalsInOrder();
    void ChangeDialogIsFilledAndRenamesReferences();
    void DeleteClassEmptiesTheMemberTable();
    void FilterNarrowsTheClassList();

private:
    std::unique_ptr<TTempModel> model_;
};

void ClassCommandsTest::AddClassRefusalsInOrder()
{
    int p = PlantProject("Shop");
    PlantClass(p, "Existing");
    TWindowUnderTest t;
    QStringList closedAfter;
    t.OnDialog([&](QDialog& dialog) {
        auto* form = qobject_cast<TAddClassForm*>(&dialog);
        QVERIFY(form);
        QCOMPARE(form->windowTitle() + QString::number(form->width()) + "x" + QString::number(form->height()),
            QString("添加类269x218"));
        closedAfter = Submit(*form,
            { { "", "" }, { "", "图书" }, { "Book", "" }, { "book", "图书" }, { "1Book", "图书" },
                { "Existing", "已有" }, { "BookDAO", "图书" }, { "Book", "图书" } });
    });
    Find<QAction>(*t.window, "Act_AddClass")->trigger();
    QCOMPARE(t.dialogs.Messages(),
        QStringList({ "类名称不能为空!", "类名称不能为空!", "友好名称不能为空", "类名首个字母必须大写",
            "类名首个字母必须大写", "该类名称已经存在!",
            "类名称不能以 DAO 或 Action 结尾(生成的代码用这些名称命名 DAO 类和 Action 类)!", "类名称添加成功！" }));
    QCOMPARE(closedAfter, QStringList({ "Book" }));
    QCOMPARE(ClassEntries(*t.window), QStringList({ "Existing", "Book" }));
    QCOMPARE(Find<QListWidget>(*t.window, "LB_Object")->currentRow(), 0);
    QCOMPARE(TClassDAO().GetFriendName(TClassDAO().GetClassId(p, "Book")), std::string("图书"));
}

void ClassCommandsTest::ChangeDialogIsFilledAndRenamesReferences()
{
    int p = PlantProject("Library");
    int loan = PlantClass(p, "Loan", "借阅");
    int book = PlantClass(p, "Book", "图书");
    int other = PlantProject("Other");
    int reference = PlantMember(p, loan, "book", "Book", "m");
    int foreign = PlantMember(other, PlantClass(other, "Shelf"), "book", "Book", "m");
    TWindowUnderTest t;
    QStringList filled, closedAfter;
    t.OnDialog([&](QDialog& dialog) {
        auto* form = qobject_cast<TUpdateClassForm*>(&dialog);
        QVERIFY(form);
        QCOMPARE(form->ClassId(), book);
        filled << form->windowTitle() << form->Edt_ClassName->text() << form->Edt_FriendName->text();
        closedAfter =
            Submit(*form, { { "", "" }, { "novel", "" }, { "Novel", "" }, { "Loan", "小说" }, { "Novel", "小说" } });
    });
    ClickClass(*t.window, 1, true); // double click on Book
    QCOMPARE(t.dialogsRun, 1);
    QCOMPARE(filled, QStringList({ "类更新", "Book", "图书" }));
    QCOMPARE(t.dialogs.Messages(),
        QStringList(
            { "类名称不能为空", "类名首个字母必须大写", "友好名称不能为空", "该类名称已经存在!", "类名称更新成功" }));
    QCOMPARE(closedAfter, QStringList({ "Novel" }));
    QCOMPARE(ClassEntries(*t.window), QStringList({ "Loan", "Novel" }));
    QCOMPARE(TClassDAO().GetFriendName(book), std::string("小说"));
    // Members of the same project that referred to Book now refer to Novel.
    QCOMPARE(TMemberDAO().GetMember(reference)->GetMemberType(), std::string("Novel"));
    QCOMPARE(TMemberDAO().GetMember(foreign)->GetMemberType(), std::string("Book"));
}

void ClassCommandsTest::DeleteClassEmptiesTheMemberTable()
{
    int p = PlantProject("Shop");
    int customer = PlantClass(p, "Customer");
    PlantClass(p, "Order");
    PlantMember(p, customer, "name", "字符串", "");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    t.dialogs.confirmAnswers = { false, true };
    Find<QAction>(w, "Act_DeleteClass")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].text + "|" + t.dialogs.shown[0].title,
        QString("确认删除此类对象！\n\n类: Customer（项目 Shop）|提示"));
    QCOMPARE(ClassEntries(w).size(), 2);

    Find<QAction>(w, "Act_DeleteClass")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("类对象删除成功!"));
    QCOMPARE(ClassEntries(w), QStringList({ "Order" }));
    QCOMPARE(TMemberDAO().OpenClassMembers(customer)->RecordCount(), 0);
    // The deleted class's members leave the table, and no class is
    // selected until the user chooses one.
    QVERIFY(MemberColumn(w, 1).isEmpty());
    Find<QAction>(w, "Act_DeleteClass")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("没有类被选中!"));
}

// Typing in the filter shows the classes whose class or friendly name holds
// the text, in their order; clearing it shows them all.
void ClassCommandsTest::FilterNarrowsTheClassList()
{
    int p = PlantProject("Shop");
    PlantClass(p, "Customer", "客户");
    PlantClass(p, "Order", "订单");
    PlantClass(p, "CustomerGroup", "客户组");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    auto shown = [&] {
        QStringList names;
        auto* list = Find<QListWidget>(w, "LB_Object");
        for (int row = 0; row < list->count(); ++row)
            if (!list->item(row)->isHidden())
                names << list->item(row)->text();
        return names;
    };
    struct TCase {
        const char* filter;
        QStringList expected;
    };
    const TCase cases[] = { { "cust", { "Customer", "CustomerGroup" } }, { "订单", { "Order" } },
        { "", { "Customer", "Order", "CustomerGroup" } } };
    for (const auto& c : cases) {
        Find<QLineEdit>(w, "Edt_ClassFilter")->setText(QString::fromUtf8(c.filter));
        QCOMPARE(shown(), c.expected);
    }
}

QTEST_MAIN(ClassCommandsTest)
#include "ClassCommandsTest.moc"
