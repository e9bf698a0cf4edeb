// Generation started from the window: the notice, the progress box, the
// reports of a run, and the generate command held back while a run goes.
#include "UiTestSupport.h"

#include "model/store/ProjectDAO.h"

#include "model/store/ClassDAO.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

class GenerationTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        model_ = std::make_unique<TTempModel>();
        shop_ = PlantProject("Shop");
        int customer = PlantClass(shop_, "Customer", "客户");
        PlantMember(shop_, customer, "customerId", "整型", "pm");
        PlantMember(shop_, customer, "name", "字符串", "dq", 40, "姓名");
        purchase_ = PlantClass(shop_, "Purchase", "订单");
        PlantMember(shop_, purchase_, "purchaseNo", "字符串", "pd", 20);
        PlantMember(shop_, purchase_, "customer", "Customer", "mq");
    }
    void cleanup() { model_.reset(); }

    void RunEndsWithTheCompletionMessageAndItsLinesInOrder();
    void FaultyModelIsReportedAndNothingWritten_data();
    void FaultyModelIsReportedAndNothingWritten();
    void FailedRunIsReportedAndGenerateComesBack();
    void PackageAndPagesAreRememberedPerProject();
    void TargetIsRememberedPerProjectAndUsed();

private:
    // Runs read the repository's templates and write below root.
    void RunToTheEnd(TWindowUnderTest& t, const QString& root)
    {
        t.window->SetRunLocations({ JAVAGEN_TEMPLATES, root.toStdString() });
        Find<QAction>(*t.window, "Act_Generate")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(*t.window, "Act_Generate")->isEnabled(), 60000);
    }
    static QStringList Lines(const TFormMain& w)
    {
        return Find<QPlainTextEdit>(w, "Memo_State")->toPlainText().split('\n', Qt::SkipEmptyParts);
    }

    std::unique_ptr<TTempModel> model_;
    int shop_ = 0, purchase_ = 0;
};

void GenerationTest::RunEndsWithTheCompletionMessageAndItsLinesInOrder()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    t.dialogs.inputAnswers = { QString("org.example") };
    Find<QAction>(w, "Act_SetPackage")->trigger();
    Find<QPlainTextEdit>(w, "Memo_State")->setPlainText("上一次的进度");
    // While the completion box is shown the run waits for it: the command is
    // still held back, so a second start does nothing.
    bool enabledAtDone = true;
    int linesAtDone = -1;
    t.dialogs.onShow = [&](const TShownBox& box) {
        if (box.text == "所有代码生成完毕!") {
            enabledAtDone = Find<QAction>(w, "Act_Generate")->isEnabled();
            linesAtDone = Lines(w).size();
            Find<QAction>(w, "Act_Generate")->trigger();
        }
    };
    const QString root = QtPath(model_->Path("out"));
    w.SetRunLocations({ JAVAGEN_TEMPLATES, root.toStdString() });
    Find<QAction>(w, "Act_Generate")->trigger();
    QVERIFY(!Find<QAction>(w, "Act_Generate")->isEnabled());
    QCOMPARE(t.dialogs.Messages(), QStringList({ "如果以前生成了该项目，最好先删除原来的目录!" }));
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);

    QCOMPARE(t.dialogs.Messages(), QStringList({ "如果以前生成了该项目，最好先删除原来的目录!", "所有代码生成完毕!" }));
    QCOMPARE(t.dialogs.shown.back().title, QString("任务提示"));
    QCOMPARE(t.dialogs.shown.back().icon, TMessageIcon::Information);
    QVERIFY(!enabledAtDone);

    const QString src = "projects/Shop/src/", package = src + "com/org/example/";
    QStringList expected = ShopProgressLines(src, package);
    QCOMPARE(Lines(w), expected);
    QCOMPARE(linesAtDone, expected.size());
    for (const QString& line : expected) // every line names a file the run wrote
        QVERIFY2(QFile::exists(root + "/" + line.chopped(5)), qPrintable(line));
}

void GenerationTest::FaultyModelIsReportedAndNothingWritten_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("errorClass");
    QTest::newRow("primary") << "primary"
                             << "Supplier表主键设置错误，每个类只能设置一个主键!"
                             << "Supplier";
    QTest::newRow("display") << "display"
                             << "Supplier表显示成员设置错误，每个类有且只能设置一个显示成员!"
                             << "Supplier";
    QTest::newRow("reference") << "reference"
                               << "Purchase表的成员ghost引用的类Ghost不存在!"
                               << "";
}

void GenerationTest::FaultyModelIsReportedAndNothingWritten()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QString, errorClass);
    int supplier = PlantClass(shop_, "Supplier", "供应商");
    if (fault == "primary") {
        // No primary member here and two in the next class: the first is named.
        PlantMember(shop_, supplier, "title", "字符串", "d", 20);
        int invoice = PlantClass(shop_, "Invoice", "发票");
        PlantMember(shop_, invoice, "one", "字符串", "pd", 20);
        PlantMember(shop_, invoice, "two", "字符串", "p", 20);
    } else if (fault == "display") {
        PlantMember(shop_, supplier, "supplierId", "整型", "pm");
    } else {
        PlantMember(shop_, supplier, "supplierId", "整型", "pmd");
        PlantMember(shop_, purchase_, "ghost", "Ghost", "m");
    }
    TWindowUnderTest t;
    RunToTheEnd(t, QtPath(model_->Path("out")));
    QCOMPARE(t.dialogs.Messages(), QStringList({ "如果以前生成了该项目，最好先删除原来的目录!", message }));
    if (!errorClass.isEmpty()) {
        QCOMPARE(QString::fromStdString(TClassDAO().GetClassName(t.window->ErrorClassId())), errorClass);
        // The class to mend is the selected one.
        QCOMPARE(t.window->Lists().SelectedClassId(), t.window->ErrorClassId());
    }
    QVERIFY(Lines(*t.window).isEmpty());
    QVERIFY(!QDir(QtPath(model_->Path("out"))).exists());
}

void GenerationTest::FailedRunIsReportedAndGenerateComesBack()
{
    const QString blocked = QtPath(model_->Path("blocked")); // a file: no directory can be made below it
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    TWindowUnderTest t;
    RunToTheEnd(t, blocked);
    QVERIFY2(t.dialogs.LastMessage().startsWith("代码生成失败："), qPrintable(t.dialogs.LastMessage()));
    QCOMPARE(t.dialogs.shown.back().title, QString("错误"));

    RunToTheEnd(t, QtPath(model_->Path("out")));
    QCOMPARE(t.dialogs.LastMessage(), QString("所有代码生成完毕!"));
}

QTEST_MAIN(GenerationTest)
#include "GenerationTest.moc"

// The package and the pages check box belong to the project: a new window
// (a restart) finds them again, and the run makes the pages.
void GenerationTest::PackageAndPagesAreRememberedPerProject()
{
    QString root = QtPath(model_->Path("out"));
    {
        TWindowUnderTest t;
        t.dialogs.inputAnswers = { QString("org.shop") };
        Find<QAction>(*t.window, "Act_SetPackage")->trigger();
        Find<QCheckBox>(*t.window, "CB_WebApp")->setChecked(true);
    }
    TWindowUnderTest t;
    QCOMPARE(t.window->PackageName(), std::string("org.shop"));
    QVERIFY(Find<QCheckBox>(*t.window, "CB_WebApp")->isChecked());
    RunToTheEnd(t, root);
    QVERIFY(QFile::exists(root + "/projects/Shop/WebRoot/Customer_query_result.jsp"));
    QVERIFY(QFile::exists(root + "/projects/Shop/src/com/org/shop/domain/Customer.java"));
    QVERIFY(QFile::exists(root + "/projects/Shop/WebRoot/WEB-INF/web.xml"));
}

// The target belongs to the project too: checked in the tools menu, shown
// in the status bar, kept over a restart, and the run writes its code.
void GenerationTest::TargetIsRememberedPerProjectAndUsed()
{
    QString root = QtPath(model_->Path("out"));
    {
        TWindowUnderTest t;
        QVERIFY(!Find<QAction>(*t.window, "Act_TargetCurrent")->isChecked());
        QCOMPARE(Find<QLabel>(*t.window, "Lbl_Target")->text(), QString("目标框架: Struts 2.3 + Hibernate 3.6"));
        Find<QAction>(*t.window, "Act_TargetCurrent")->setChecked(true);
    }
    TWindowUnderTest t;
    QVERIFY(Find<QAction>(*t.window, "Act_TargetCurrent")->isChecked());
    QCOMPARE(
        Find<QLabel>(*t.window, "Lbl_Target")->text(), QString("目标框架: Struts 7 + Hibernate 7 (Jakarta EE 10)"));
    RunToTheEnd(t, root);
    QFile domain(root + "/projects/Shop/src/com/velmorantis/domain/Customer.java");
    QVERIFY(domain.open(QIODevice::ReadOnly));
    QVERIFY(domain.readAll().contains("@Entity"));
    QVERIFY(!QFile::exists(root + "/projects/Shop/src/com/velmorantis/domain/Customer.hbm.xml"));

    // One choice per target, one checked: the default's, when the current
    // one is chosen or unchecked.
    QAction* legacy = Find<QAction>(*t.window, "Act_TargetLegacy");
    QAction* current = Find<QAction>(*t.window, "Act_TargetCurrent");
    QCOMPARE(legacy->text(), QString("目标框架: Struts 2.3 + Hibernate 3.6(&G)"));
    QCOMPARE(current->text(), QString("目标框架: Struts 7 + Hibernate 7 (Jakarta EE 10)(&J)"));
    QVERIFY(!legacy->isChecked());
    legacy->trigger();
    QVERIFY(legacy->isChecked());
    QVERIFY(!current->isChecked());
    QCOMPARE(TProjectDAO().GetTarget(t.window->Lists().SelectedProjectId()), std::string());
    current->trigger();
    QVERIFY(!legacy->isChecked());
    QCOMPARE(TProjectDAO().GetTarget(t.window->Lists().SelectedProjectId()), std::string("current"));
    current->setChecked(false);
    QVERIFY(legacy->isChecked());
    QCOMPARE(Find<QLabel>(*t.window, "Lbl_Target")->text(), QString("目标框架: Struts 2.3 + Hibernate 3.6"));

    // The database kind likewise: stored, named in the status line only
    // when not the default, and the run writes its configuration.
    QAction* mysql = Find<QAction>(*t.window, "Act_DatabaseMysql");
    QAction* postgresql = Find<QAction>(*t.window, "Act_DatabasePostgresql");
    QVERIFY(mysql->isChecked());
    postgresql->trigger();
    QVERIFY(!mysql->isChecked());
    QCOMPARE(TProjectDAO().GetDatabase(t.window->Lists().SelectedProjectId()).kind, std::string("postgresql"));
    QCOMPARE(Find<QLabel>(*t.window, "Lbl_Target")->text(),
        QString("目标框架: Struts 2.3 + Hibernate 3.6，数据库: PostgreSQL"));
    RunToTheEnd(t, root);
    QFile config(root + "/projects/Shop/src/hibernate.cfg.xml");
    QVERIFY(config.open(QIODevice::ReadOnly));
    QVERIFY(config.readAll().contains(">org.postgresql.Driver<"));
    postgresql->setChecked(false);
    QVERIFY(mysql->isChecked());
    QCOMPARE(TProjectDAO().GetDatabase(t.window->Lists().SelectedProjectId()).kind, std::string());
    QCOMPARE(Find<QLabel>(*t.window, "Lbl_Target")->text(), QString("目标框架: Struts 2.3 + Hibernate 3.6"));
}
