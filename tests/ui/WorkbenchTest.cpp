// What the window adds to help the user see where they work: the status
// bar, the current class line, the code preview, the output folder, the
// keys of the lists and the widths of the member table's columns.
#include "UiTestSupport.h"

#include "ModelBuilder.h"
#include "RawSqlite.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/TextCodec.h"

#include "ui/dialogs/AddClassForm.h"
#include "ui/dialogs/AddMemberForm.h"
#include "ui/dialogs/MergePlanForm.h"
#include "ui/dialogs/PreviewForm.h"
#include "ui/dialogs/ReportForm.h"
#include "ui/dialogs/UpdateClassForm.h"
#include "ui/dialogs/UpdateMemberForm.h"
#include "ui/window/DesktopOpen.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>

class WorkbenchTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QSettings("javagen", "workbench").clear();
        model_ = std::make_unique<TTempModel>();
        shop_ = EnterProject("Shop");
        customer_ = EnterClass(shop_, "Customer", "客户");
        EnterMember(shop_, customer_, "customerId", "整型", "pmd");
        EnterMember(shop_, customer_, "name", "字符串", "q", 40, "姓名");
        purchase_ = EnterClass(shop_, "Purchase", "订单");
        EnterMember(shop_, purchase_, "purchaseNo", "字符串", "pd");
        EnterMember(shop_, purchase_, "customer", "Customer", "mq");
        library_ = EnterProject("图书馆");
        book_ = EnterClass(library_, "Book", "图书");
    }
    void cleanup() { model_.reset(); }

    void StatusBarSaysWhereTheUserWorks();
    void ClassLineFollowsEverySelection();
    void PreviewShowsWhatARunWritesAndWritesNothing();
    void OutputFolderIsOpenedOnceItExists();
    void DesktopOpenerReportsAFolderNothingOpened();
    void RefusedModelFileStaysVisible();
    void KeysOfTheListsRunTheMenuCommands();
    void KeyboardComesBackAfterADialog();
    void EveryMemberColumnFitsTheWindow();
    void DraggedColumnWidthsStayAcrossClassesAndRestarts();
    void EveryDialogFitsTheScreen();
    void PreviewIsRefusedOnlyForTheClassesItReaches();
    void BannerNamesTheTargetsFrameworks();
    void ChangesMadeElsewhereAreReadAgainAndTheLastProjectReopens();

private:
    QString Out() const { return QtPath(model_->Path("out")); }
    std::unique_ptr<TTempModel> model_;
    int shop_ = 0, customer_ = 0, purchase_ = 0, library_ = 0, book_ = 0;
};

void WorkbenchTest::StatusBarSaysWhereTheUserWorks()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    // The client area keeps its size, and the status bar is inside the window.
    QCOMPARE(Find<QWidget>(w, "ClientArea")->size(), QSize(828, 547));
    QVERIFY(w.statusBar()->geometry().bottom() < w.height());
    QString model =
        QString::fromStdString(std::filesystem::absolute(TDbHelper::DatabasePath()).lexically_normal().string());
    QCOMPARE(Find<QLabel>(w, "Lbl_ModelFile")->text(), "模型文件: " + model);
    QCOMPARE(Find<QLabel>(w, "Lbl_Package")->text(), QString("包名: com.velmorantis"));

    w.SetRunLocations({ (model_->Dir() / "no-template").string(), Out().toStdString() });
    QCOMPARE(Find<QLabel>(w, "Lbl_Output")->text(), "生成目录: " + Out() + "/projects/Shop");
    QVERIFY(Find<QLabel>(w, "Lbl_TemplateWarning")
                ->text()
                .startsWith("当前目录下没有 template 目录，生成代码时将找不到模板!"));
    QVERIFY(!Find<QLabel>(w, "Lbl_TemplateWarning")->isHidden());
    w.SetRunLocations({ JAVAGEN_TEMPLATES, Out().toStdString() });
    QVERIFY(Find<QLabel>(w, "Lbl_TemplateWarning")->isHidden());

    t.dialogs.inputAnswers = { QString("org.example") };
    Find<QAction>(w, "Act_SetPackage")->trigger();
    QCOMPARE(Find<QLabel>(w, "Lbl_Package")->text(), QString("包名: com.org.example"));
    NextProject(w);
    QCOMPARE(Find<QLabel>(w, "Lbl_Output")->text(), "生成目录: " + Out() + "/projects/图书馆");

    // After a run: how many files it wrote; the completion box keeps its text.
    Find<QComboBox>(w, "CB_Project")->setCurrentIndex(0);
    Find<QAction>(w, "Act_Generate")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);
    QCOMPARE(t.dialogs.LastMessage(), QString("所有代码生成完毕!"));
    int lines = Find<QPlainTextEdit>(w, "Memo_State")->toPlainText().split('\n', Qt::SkipEmptyParts).size();
    QCOMPARE(lines, 2 + 2 + 11 + 6);
    QCOMPARE(Find<QLabel>(w, "Lbl_Written")->text(), QString("共写入 %1 个文件").arg(lines));

    // The box and the count belong to the project that ran.
    const QString shopRun = Find<QPlainTextEdit>(w, "Memo_State")->toPlainText();
    NextProject(w);
    QCOMPARE(Find<QPlainTextEdit>(w, "Memo_State")->toPlainText(), QString());
    QCOMPARE(Find<QLabel>(w, "Lbl_Written")->text(), QString());
    Find<QComboBox>(w, "CB_Project")->setCurrentIndex(0);
    QCOMPARE(Find<QPlainTextEdit>(w, "Memo_State")->toPlainText(), shopRun);
    QCOMPARE(Find<QLabel>(w, "Lbl_Written")->text(), QString("共写入 %1 个文件").arg(lines));

    // template/ made while the window was in the background.
    const std::filesystem::path made = model_->Dir() / "made-later";
    w.SetRunLocations({ made.string(), Out().toStdString() });
    QVERIFY(!Find<QLabel>(w, "Lbl_TemplateWarning")->isHidden());
    std::filesystem::create_directory(made);
    QEvent activated(QEvent::ActivationChange);
    QApplication::sendEvent(&w, &activated);
    QVERIFY(Find<QLabel>(w, "Lbl_TemplateWarning")->isHidden());
}

void WorkbenchTest::ClassLineFollowsEverySelection()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString("当前类: Customer（客户）"));
    ClickClass(w, 1);
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString("当前类: Purchase（订单）"));
    // What a narrow list or column cuts off is whole in the tooltips.
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->toolTip(), QString("当前类: Purchase（订单）"));
    QCOMPARE(Find<QListWidget>(w, "LB_Object")->item(1)->toolTip(), QString("Purchase（订单）"));
    QCOMPARE(Find<QTableWidget>(w, "LV_Member")->item(0, 1)->toolTip(), QString("purchaseNo"));
    NextProject(w);
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString("当前类: Book（图书）"));
    QTest::keyClick(Find<QComboBox>(w, "CB_Project"), Qt::Key_Up); // back to Shop, by the user
    ClickClass(w, 1);

    // Adding a class selects the first class again: the line says so.
    t.OnDialog([](QDialog& dialog) {
        auto* form = qobject_cast<TAddClassForm*>(&dialog);
        form->Edt_ClassName->setText("Supplier");
        form->Edt_FriendName->setText("供应商");
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    });
    Find<QAction>(w, "Act_AddClass")->trigger();
    QCOMPARE(ClassEntries(w), QStringList({ "Customer", "Purchase", "Supplier" }));
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString("当前类: Customer（客户）"));

    t.OnDialog([](QDialog& dialog) {
        auto* form = qobject_cast<TUpdateClassForm*>(&dialog);
        form->Edt_ClassName->setText("Client");
        form->Edt_FriendName->setText("顾客");
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    });
    Find<QAction>(w, "Act_UpdateClass")->trigger();
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString("当前类: Client（顾客）"));

    t.dialogs.confirmAnswers = { true };
    Find<QAction>(w, "Act_DeleteClass")->trigger();
    QCOMPARE(Find<QLabel>(w, "Lbl_CurrentClass")->text(), QString());
}

void WorkbenchTest::PreviewShowsWhatARunWritesAndWritesNothing()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    w.SetRunLocations({ JAVAGEN_TEMPLATES, Out().toStdString() });
    QStringList tabs;
    std::vector<QString> texts;
    t.OnDialog([&](QDialog& dialog) {
        auto* form = qobject_cast<TPreviewForm*>(&dialog);
        QVERIFY(form);
        for (int i = 0; i < form->Tabs->count(); ++i) {
            tabs << form->Tabs->tabText(i);
            texts.push_back(form->TabText(i));
        }
    });
    ClickClass(w, 1);
    Find<QAction>(w, "Act_Preview")->trigger();
    QCOMPARE(tabs, QStringList({ "Purchase.hbm.xml", "Purchase.java", "PurchaseDAO.java", "PurchaseAction.java" }));
    QVERIFY(!QDir(Out()).exists());

    // Byte for byte (after decoding) what the run writes.
    Find<QAction>(w, "Act_Generate")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);
    const QString package = Out() + "/projects/Shop/src/com/velmorantis/";
    const char* files[] = { "domain/Purchase.hbm.xml", "domain/Purchase.java", "dao/PurchaseDAO.java",
        "action/PurchaseAction.java" };
    for (int i = 0; i < 4; ++i) {
        QFile file(package + files[i]);
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::string bytes = file.readAll().toStdString();
        std::string text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : GbkToUtf8(bytes);
        QCOMPARE(texts[i], QString::fromStdString(text));
    }

    // No class selected, as in the other class commands.
    t.dialogs.confirmAnswers = { true };
    Find<QAction>(w, "Act_DeleteClass")->trigger();
    int shown = t.dialogsRun;
    Find<QAction>(w, "Act_Preview")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("没有类被选中!"));
    QCOMPARE(t.dialogsRun, shown);
}

void WorkbenchTest::OutputFolderIsOpenedOnceItExists()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    w.SetRunLocations({ JAVAGEN_TEMPLATES, Out().toStdString() });
    QStringList opened;
    bool opens = true;
    w.SetFolderOpener([&](const QString& folder, std::function<void()> failed) {
        opened << folder;
        if (!opens)
            failed();
    });
    Find<QAction>(w, "Act_OpenOutput")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), "生成目录还不存在，生成代码后才会有:\n" + Out() + "/projects/Shop");
    QVERIFY(opened.isEmpty());
    Find<QAction>(w, "Act_Generate")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);
    Find<QAction>(w, "Act_OpenOutput")->trigger();
    QCOMPARE(opened, QStringList({ Out() + "/projects/Shop" }));
    // A desktop without a file manager: the path is shown and copied.
    opens = false;
    Find<QAction>(w, "Act_OpenOutput")->trigger();
    QCOMPARE(t.dialogs.LastMessage(),
        "无法打开生成目录(没有可以打开它的文件管理器)，目录位置已复制到剪贴板:\n" + Out() + "/projects/Shop");
    QCOMPARE(QGuiApplication::clipboard()->text(), Out() + "/projects/Shop");
}

// A real xdg-open answers 3 or 4 when no program handles folders.
void WorkbenchTest::DesktopOpenerReportsAFolderNothingOpened()
{
    QString bin = QtPath(model_->Path("bin"));
    QDir().mkpath(bin);
    QByteArray path = qgetenv("PATH");
    qputenv("PATH", (bin + ":").toUtf8() + path);
    for (const auto& [script, fails] :
        std::vector<std::pair<QByteArray, bool>> { { "exit 0", false }, { "exit 3", true }, { "exit 4", true } }) {
        QFile tool(bin + "/xdg-open");
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n" + script + "\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QObject owner;
        int failures = 0;
        OpenFolderOnDesktop(&owner, Out(), [&] { ++failures; });
        QTest::qWait(1000);
        QCOMPARE(failures, fails ? 1 : 0);
    }
    qputenv("PATH", path);
}

// A file of a newer program: refused once in a box, then still said.
void WorkbenchTest::RefusedModelFileStaysVisible()
{
    TDbHelper::CloseSharedConnection();
    SqlExecute(model_->DbPath(), "pragma user_version = 999");
    TWindowUnderTest t;
    QVERIFY(t.dialogs.LastMessage().contains("由更新版本的程序创建"));
    QVERIFY(Find<QLabel>(*t.window, "Lbl_ModelFile")->text().startsWith("模型文件无法打开: "));
    QVERIFY(Find<QPlainTextEdit>(*t.window, "Memo_State")->toPlainText().contains("模型数据库文件无法打开"));
}

// Offscreen there is no window manager: nothing but the window itself gives
// the keyboard back to the list once a real dialog has taken and closed.
void WorkbenchTest::KeyboardComesBackAfterADialog()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    t.OnDialog([](QDialog& dialog) {
        // The dialog had the keyboard; then it closes.
        QTimer::singleShot(0, &dialog, [&dialog] {
            if (QWidget* focused = QApplication::focusWidget())
                focused->clearFocus();
            dialog.reject();
        });
        dialog.exec();
    });
    for (const char* name : { "LB_Object", "LV_Member" }) {
        auto* list = Find<QWidget>(w, name);
        list->setFocus();
        QTest::keyClick(list, name == std::string("LB_Object") ? Qt::Key_F2 : Qt::Key_Insert);
        QCOMPARE(t.dialogsRun > 0, true);
        QTRY_VERIFY(w.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), list);
    }
}

void WorkbenchTest::KeysOfTheListsRunTheMenuCommands()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QStringList dialogs;
    t.OnDialog([&](QDialog& dialog) { dialogs << dialog.objectName(); });
    Find<QListWidget>(w, "LB_Object")->setFocus();
    for (int key : { Qt::Key_F2, Qt::Key_Return, Qt::Key_Enter })
        QTest::keyClick(Find<QListWidget>(w, "LB_Object"), static_cast<Qt::Key>(key));
    QCOMPARE(dialogs, QStringList({ "UpdateClassForm", "UpdateClassForm", "UpdateClassForm" }));
    QTest::keyClick(Find<QListWidget>(w, "LB_Object"), Qt::Key_Delete); // cancelled: the confirmation is not answered
    QCOMPARE(t.dialogs.shown.back().text,
        QString("确认删除此类对象！\n\n类: Customer（项目 Shop）\n\n注意：Purchase.customer "
                "引用这个类；删除后请先修改或删除这些成员，否则无法生成代码。"));
    QCOMPARE(ClassEntries(w).size(), 2);

    dialogs.clear();
    Find<QTableWidget>(w, "LV_Member")->setFocus();
    QTest::keyClick(Find<QTableWidget>(w, "LV_Member"), Qt::Key_Insert);
    QCOMPARE(dialogs, QStringList({ "AddMemberForm" }));
    QTest::keyClick(Find<QTableWidget>(w, "LV_Member"), Qt::Key_F2); // no row selected yet
    QCOMPARE(t.dialogs.LastMessage(), QString("请先选择一个成员"));
    ClickMember(w, 0);
    QTest::keyClick(Find<QTableWidget>(w, "LV_Member"), Qt::Key_F2);
    QTest::keyClick(Find<QTableWidget>(w, "LV_Member"), Qt::Key_Return);
    QCOMPARE(dialogs, QStringList({ "AddMemberForm", "UpdateMemberForm", "UpdateMemberForm" }));
    t.dialogs.confirmAnswers = { true };
    QTest::keyClick(Find<QTableWidget>(w, "LV_Member"), Qt::Key_Delete);
    QCOMPARE(t.dialogs.LastMessage(), QString("成员属性删除成功"));
    QCOMPARE(Find<QTableWidget>(w, "LV_Member")->rowCount(), 1);
}

// What javagen-cli wrote meanwhile is read again (F5, and when the window
// is activated after the file changed), keeping the selection; a new
// window opens on the project last worked on.
void WorkbenchTest::ChangesMadeElsewhereAreReadAgainAndTheLastProjectReopens()
{
    {
        TWindowUnderTest t;
        TFormMain& w = *t.window;
        ClickClass(w, 1);
        EnterClass(shop_, "Invoice", "发票"); // as another program would
        Find<QAction>(w, "Act_ReloadModel")->trigger();
        QCOMPARE(ClassEntries(w).size(), 3);
        QCOMPARE(w.Lists().SelectedClassId(), purchase_);
        w.Lists().SelectProject(library_);
    }
    TWindowUnderTest again(true);
    QCOMPARE(again.window->Lists().SelectedProjectId(), library_);
}

// The banner follows the selected project's target.
void WorkbenchTest::BannerNamesTheTargetsFrameworks()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    auto* banner = Find<QLabel>(w, "Image1");
    const QImage legacy = banner->pixmap().toImage();
    Find<QAction>(w, "Act_TargetCurrent")->setChecked(true);
    const QImage current = banner->pixmap().toImage();
    QVERIFY(current != legacy);
    Find<QAction>(w, "Act_TargetCurrent")->setChecked(false);
    QCOMPARE(banner->pixmap().toImage(), legacy);
}

// A class with no key stops the preview of a class that references it, and
// is selected; it does not stop the preview of a class that does not.
void WorkbenchTest::PreviewIsRefusedOnlyForTheClassesItReaches()
{
    int broken = EnterClass(shop_, "Broken", "未完成");
    EnterMember(shop_, purchase_, "broken", "Broken", "m");
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    w.SetRunLocations({ JAVAGEN_TEMPLATES, Out().toStdString() });
    int shown = 0;
    t.OnDialog([&](QDialog&) { ++shown; });
    ClickClass(w, 0);
    Find<QAction>(w, "Act_Preview")->trigger();
    QCOMPARE(shown, 1);
    ClickClass(w, 1);
    Find<QAction>(w, "Act_Preview")->trigger();
    QCOMPARE(shown, 1);
    QCOMPARE(t.dialogs.LastMessage(), QString("Broken表主键设置错误，每个类只能设置一个主键!"));
    QCOMPARE(w.Lists().SelectedClassId(), broken);
}

// On the screen it opens on (the offscreen platform's 800x600, and at
// QT_SCALE_FACTOR=2 half that), each dialog is inside the available area
// and each of its buttons in view: only the content scrolls.
void WorkbenchTest::EveryDialogFitsTheScreen()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    w.SetRunLocations({ JAVAGEN_TEMPLATES, Out().toStdString() });
    QStringList seen;
    auto check = [&seen](QDialog& dialog) {
        dialog.show();
        seen << dialog.objectName();
        const QRect room = dialog.screen()->availableGeometry();
        QVERIFY2(room.contains(dialog.frameGeometry()),
            qPrintable(QString("%1 (%2x%3, at least %4x%5) is larger than the screen (%6x%7)")
                           .arg(dialog.objectName())
                           .arg(dialog.width())
                           .arg(dialog.height())
                           .arg(dialog.minimumSizeHint().width())
                           .arg(dialog.minimumSizeHint().height())
                           .arg(room.width())
                           .arg(room.height())));
        const QWidget* body = dialog.findChild<QWidget*>("Body");
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(&dialog) || (body && body->isAncestorOf(button)))
                continue;
            const QRect at(button->mapTo(&dialog, QPoint(0, 0)), button->size());
            QVERIFY2(dialog.rect().contains(at),
                qPrintable(dialog.objectName() + ": " + button->text() + " is out of view"));
        }
        dialog.reject();
    };
    t.OnDialog(check);
    ClickClass(w, 1);
    for (const char* action : { "Act_AddClass", "Act_UpdateClass", "Act_AddMember", "Act_Preview", "Act_ImportDb" })
        Find<QAction>(w, action)->trigger();
    ClickMember(w, 0);
    Find<QAction>(w, "Act_UpdateMember")->trigger();
    TMergeSummary plan;
    plan.entries.push_back(
        { TMergeAction::Conflict, "projects/Shop/src/com/velmorantis/domain/Purchase.java", false, "" });
    TMergePlanForm merge(&w, plan, "目标框架改为 Struts 7 + Hibernate 7");
    check(merge);
    TReportForm report(&w, "从数据库导入预览", "将导入:", QStringList({ "t_purchase" }), "导入");
    check(report);
    QCOMPARE(seen.join(','),
        QStringList({ "AddClassForm", "UpdateClassForm", "AddMemberForm", "PreviewForm", "ImportDbForm",
                        "UpdateMemberForm", "MergePlanForm", "ReportForm" })
            .join(','));
}

void WorkbenchTest::EveryMemberColumnFitsTheWindow()
{
    TWindowUnderTest t;
    QHeaderView* header = Find<QTableWidget>(*t.window, "LV_Member")->horizontalHeader();
    const int widths[] = { 1, 90, 80, 50, 50, 50, 60, 75, 80, 120 };
    int total = 0;
    for (int column = 0; column < 10; ++column) {
        QCOMPARE(header->sectionSize(column), widths[column]);
        total += widths[column];
    }
    QVERIFY(total <= Find<QTableWidget>(*t.window, "LV_Member")->viewport()->width());
}

void WorkbenchTest::DraggedColumnWidthsStayAcrossClassesAndRestarts()
{
    auto header = [](TWindowUnderTest& t) { return Find<QTableWidget>(*t.window, "LV_Member")->horizontalHeader(); };
    {
        TWindowUnderTest t;
        header(t)->resizeSection(1, 150);
        header(t)->resizeSection(9, 300);
        ClickClass(*t.window, 1);
        QCOMPARE(header(t)->sectionSize(1), 150);
        QCOMPARE(header(t)->sectionSize(9), 300);
    }
    TWindowUnderTest t;
    QCOMPARE(header(t)->sectionSize(1), 150);
    QCOMPARE(header(t)->sectionSize(2), 80);
    QCOMPARE(header(t)->sectionSize(9), 300);
}

QTEST_MAIN(WorkbenchTest)
#include "WorkbenchTest.moc"
