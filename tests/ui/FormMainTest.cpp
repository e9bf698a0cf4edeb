// The main window: start-up, the lists and their selection rules, the project
// commands, the package name, the banner and errors escaping a command.
#include "UiTestSupport.h"

#include "model/store/ClassDAO.h"
#include "model/store/MemberDAO.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>

class FormMainTest : public QObject {
    Q_OBJECT

private slots:
    void init() { model_ = std::make_unique<TTempModel>(); }
    void cleanup() { model_.reset(); }

    void EmptyModelRefusesEveryCommandThatNeedsASelection();
    void FilledModelShowsTheFirstProjectAndFollowsTheSelection();
    void NewProjectRefusalsAndSuccess();
    void RenameAndDeleteRememberThePosition();
    void PackageNameIsCheckedAndKept();
    void DatabaseErrorIsShownAndTheWindowGoesOn();
    void BannerShowsTheAboutBox();

private:
    std::unique_ptr<TTempModel> model_;
};

void FormMainTest::EmptyModelRefusesEveryCommandThatNeedsASelection()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QCOMPARE(Find<QComboBox>(w, "CB_Project")->count() + Find<QListWidget>(w, "LB_Object")->count() +
            Find<QTableWidget>(w, "LV_Member")->rowCount(),
        0);
    QVERIFY(t.dialogs.shown.empty());
    // The client area is 828x547; the window fits the screen (800x600
    // offscreen), and what does not fit scrolls.
    QCOMPARE(Find<QWidget>(w, "ClientArea")->size(), QSize(828, 547));
    QCOMPARE(Find<QLabel>(w, "Image1")->size(), QSize(828, 97));
    QRect room = w.screen()->availableGeometry();
    QVERIFY(w.width() <= room.width() && w.height() <= room.height());
    auto* scroll = qobject_cast<QScrollArea*>(w.centralWidget());
    QVERIFY(scroll);
    scroll->ensureWidgetVisible(Find<QWidget>(w, "CB_WebApp"));
    QVERIFY(Find<QWidget>(w, "CB_WebApp")->visibleRegion().boundingRect().width() > 0);

    for (QAction* command : { Find<QAction>(w, "Act_RenameProject"), Find<QAction>(w, "Act_DeleteProject"),
             Find<QAction>(w, "Act_AddClass"), Find<QAction>(w, "Act_UpdateClass"), Find<QAction>(w, "Act_DeleteClass"),
             Find<QAction>(w, "Act_AddMember"), Find<QAction>(w, "Act_UpdateMember"),
             Find<QAction>(w, "Act_DeleteMember"), Find<QAction>(w, "Act_Generate") })
        command->trigger();
    QCOMPARE(t.dialogs.Messages(),
        QStringList({ "当前未有任何项目被选中!", "未有任何项目被选中!", "当前未有任何项目被选中!", "没有类被选中!",
            "没有类被选中!", "请先选择类对象", "请先选择一个成员", "请先选择一个成员", "没有一个工程被选中！" }));
    // Only the messages: no input box, confirmation or dialog came first.
    QCOMPARE(t.dialogs.shown.size(), size_t(9));
    QCOMPARE(t.dialogsRun, 0);
    QVERIFY(Find<QAction>(w, "Act_Generate")->isEnabled());
}

void FormMainTest::FilledModelShowsTheFirstProjectAndFollowsTheSelection()
{
    int shop = PlantProject("Shop");
    int library = PlantProject("图书馆");
    int customer = PlantClass(shop, "Customer");
    int order = PlantClass(shop, "Order");
    int id = PlantMember(shop, customer, "customerId", "整型", "pmd", 0, "编号");
    PlantMember(shop, customer, "name", "字符串", "qh", 40);
    PlantMember(shop, order, "orderId", "整型", "pm");
    int book = PlantClass(library, "Book");
    TMember odd = *TMemberDAO().GetMember(id);
    odd.SetClassId(book);
    odd.SetMemberIsPri(2); // flags other than 1 read as not set
    odd.SetQueryFlag(-1);
    PlantMember(odd);

    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QCOMPARE(ProjectEntries(w), QStringList({ "Shop", "图书馆" }));
    QCOMPARE(w.Lists().SelectedProjectId(), shop);
    QCOMPARE(ClassEntries(w), QStringList({ "Customer", "Order" }));
    QCOMPARE(w.Lists().SelectedClassId(), customer);
    QStringList first;
    for (int c = 0; c < 10; ++c)
        first << Find<QTableWidget>(w, "LV_Member")->item(0, c)->text();
    QCOMPARE(
        first, QStringList({ QString::number(id), "customerId", "整型", "0", "是", "是", "否", "是", "是", "编号" }));
    QCOMPARE(MemberColumn(w, 6), QStringList({ "否", "是" }));
    QCOMPARE(MemberColumn(w, 8), QStringList({ "是", "否" }));
    QCOMPARE(w.Lists().SelectedMemberId(), -1);

    ClickClass(w, 1);
    QCOMPARE(w.Lists().SelectedClassId(), order);
    QCOMPARE(MemberColumn(w, 1), QStringList({ "orderId" }));
    QTest::keyClick(Find<QListWidget>(w, "LB_Object"), Qt::Key_Up);
    QCOMPARE(MemberColumn(w, 1), QStringList({ "customerId", "name" }));

    NextProject(w);
    QCOMPARE(w.Lists().SelectedProjectId(), library);
    QCOMPARE(ClassEntries(w), QStringList({ "Book" }));
    QCOMPARE(MemberColumn(w, 4), QStringList({ "否" }));
    QCOMPARE(MemberColumn(w, 6), QStringList({ "否" }));
    QVERIFY(t.dialogs.shown.empty());
}

void FormMainTest::NewProjectRefusalsAndSuccess()
{
    PlantProject("Shop");
    TWindowUnderTest t;
    t.dialogs.inputAnswers = { std::nullopt, QString(""), QString("Shop"), QString("a/b"), QString("新工程") };
    for (int i = 0; i < 5; ++i)
        Find<QAction>(*t.window, "Act_NewProject")->trigger();
    QCOMPARE(t.dialogs.Messages(),
        QStringList(
            { "工程名称不能为空!", "该工程名称已经存在!", "工程名称不能包含“/”或“\\”!", "工程名称添加成功！" }));
    QCOMPARE(t.dialogs.shown[0].title, QString("请输入工程名称"));
    QCOMPARE(t.dialogs.shown[0].text + t.dialogs.shown[0].defaultText, QString());
    QCOMPARE(ProjectEntries(*t.window), QStringList({ "Shop", "新工程" }));
    // The new project is selected: the next class goes into it.
    QCOMPARE(Find<QComboBox>(*t.window, "CB_Project")->currentIndex(), 1);
}

void FormMainTest::RenameAndDeleteRememberThePosition()
{
    int a = PlantProject("A");
    int b = PlantProject("B");
    PlantProject("C");
    PlantClass(a, "Alpha");
    PlantClass(b, "Beta");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    NextProject(w);
    t.dialogs.inputAnswers = { QString(""), QString("C"), QString("乙"), QString("D") };
    for (int i = 0; i < 3; ++i)
        Find<QAction>(w, "Act_RenameProject")->trigger();
    QCOMPARE(t.dialogs.shown[0].title, QString("请输入项目名称"));
    QCOMPARE(
        t.dialogs.Messages(), QStringList({ "工程项目名称不能为空!", "该工程名称已经存在!", "工程名称修改成功！" }));
    QCOMPARE(ProjectEntries(w), QStringList({ "A", "乙", "C" }));
    QCOMPARE(Find<QComboBox>(w, "CB_Project")->currentIndex(), 1);
    QCOMPARE(ClassEntries(w), QStringList({ "Beta" }));
    // A new project becomes the selected one.
    Find<QAction>(w, "Act_NewProject")->trigger();
    QCOMPARE(w.Lists().SelectedProjectId(), 4);
    QVERIFY(ClassEntries(w).isEmpty());
    Find<QComboBox>(w, "CB_Project")->setCurrentIndex(1);
    emit Find<QComboBox>(w, "CB_Project")->activated(1);
    QCOMPARE(w.Lists().SelectedProjectId(), b);

    t.dialogs.shown.clear();
    t.dialogs.confirmAnswers = { false, true };
    Find<QAction>(w, "Act_DeleteProject")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].kind, TShownBox::Confirm);
    QCOMPARE(
        t.dialogs.shown[0].text + "|" + t.dialogs.shown[0].title, QString("确认删除当前项目吗?\n\n项目: 乙|删除提示"));
    QCOMPARE(ProjectEntries(w).size(), 4);
    Find<QAction>(w, "Act_DeleteProject")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("删除成功!"));
    QCOMPARE(ProjectEntries(w), QStringList({ "A", "C", "D" }));
    QCOMPARE(Find<QComboBox>(w, "CB_Project")->currentIndex(), 0);
    QCOMPARE(w.Lists().RememberedProjectIndex(), -1);
    QCOMPARE(ClassEntries(w), QStringList({ "Alpha" }));
    QVERIFY(TClassDAO().ListClasses(b).empty());
}

void FormMainTest::PackageNameIsCheckedAndKept()
{
    TWindowUnderTest t;
    t.dialogs.inputAnswers = { std::nullopt, QString(""), QString("1abc"), QString("org.example"), QString("x.class") };
    for (int i = 0; i < 5; ++i)
        Find<QAction>(*t.window, "Act_SetPackage")->trigger();
    QCOMPARE(t.dialogs.shown[0].title, QString("包名输入框"));
    QCOMPARE(t.dialogs.shown[0].text, QString("请输入一个包名如:           "));
    // Cancelling the box is no error: nothing is said.
    QStringList messages = t.dialogs.Messages();
    QCOMPARE(messages.mid(0, 1), QStringList({ "包名输入不能为空!" }));
    QVERIFY(messages[1].startsWith("包名必须由以“.”分隔的 Java 标识符组成"));
    QCOMPARE(messages.size(), 3);
    QCOMPARE(t.window->PackageName(), std::string("org.example"));
    QStringList offered;
    for (const auto& box : t.dialogs.shown)
        if (box.kind == TShownBox::Input)
            offered << box.defaultText;
    QCOMPARE(offered, QStringList({ "velmorantis", "velmorantis", "velmorantis", "velmorantis", "org.example" }));
}

void FormMainTest::DatabaseErrorIsShownAndTheWindowGoesOn()
{
    QFile garbage(QtPath(model_->Path("projects.mdb")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    TWindowUnderTest t;
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].title, QString("错误"));
    QCOMPARE(t.dialogs.shown[0].icon, TMessageIcon::Critical);
    QVERIFY(t.dialogs.shown[0].text.contains("projects.mdb"));
    t.dialogs.inputAnswers = { QString("X") };
    Find<QAction>(*t.window, "Act_NewProject")->trigger();
    QCOMPARE(t.dialogs.shown.back().title, QString("错误"));
    QVERIFY(t.window->isVisible());
}

void FormMainTest::BannerShowsTheAboutBox()
{
    TWindowUnderTest t;
    QTest::mouseClick(Find<QLabel>(*t.window, "Image1"), Qt::LeftButton, {}, QPoint(400, 50));
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].title, QString("关于"));
    QVERIFY(t.dialogs.shown[0].text.startsWith("Velmorantis Java代码生成器2.0版\n版本 2.0.0"));
}

QTEST_MAIN(FormMainTest)
#include "FormMainTest.moc"
