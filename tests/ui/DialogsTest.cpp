// The real boxes on QMessageBox and QInputDialog, with Qt's Chinese texts
// loaded as the program loads them.
#include "ui/dialogs/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

// Runs action on the modal box that the next call opens.
template<class Box, class F> void WhenShown(F action)
{
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        QVERIFY(box);
        action(*box);
    });
}

QString Describe(const QMessageBox& box)
{
    QStringList buttons;
    for (QAbstractButton* button : box.buttons())
        buttons << button->text();
    buttons.sort();
    return box.windowTitle() + "|" + box.text() + "|" + QString::number(box.icon()) + "|" + buttons.join(',');
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(translator_.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QApplication::installTranslator(&translator_);
    }
    void BoxesShowTheirTextsAndChineseButtons();

private:
    QTranslator translator_;
};

void DialogsTest::BoxesShowTheirTextsAndChineseButtons()
{
    TMessageBoxDialogs dialogs;
    QStringList seen;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        seen << Describe(box);
        box.button(QMessageBox::Ok)->click();
    });
    dialogs.ShowMessage(nullptr, "所有代码生成完毕!", "任务提示", TMessageIcon::Information);
    for (auto choice : { QMessageBox::Ok, QMessageBox::Cancel }) {
        WhenShown<QMessageBox>([&, choice](QMessageBox& box) {
            seen << Describe(box);
            box.button(choice)->click();
        });
        QCOMPARE(dialogs.Confirm(nullptr, "确认删除当前项目吗?", "删除提示"), choice == QMessageBox::Ok);
    }
    QString information = QString::number(QMessageBox::Information);
    QCOMPARE(seen,
        QStringList({ "任务提示|所有代码生成完毕!|" + information + "|确定",
            "删除提示|确认删除当前项目吗?|" + information + "|取消,确定",
            "删除提示|确认删除当前项目吗?|" + information + "|取消,确定" }));

    WhenShown<QInputDialog>([&](QInputDialog& box) {
        seen << box.windowTitle() + "|" + box.labelText() + "|" + box.textValue();
        box.setTextValue("org.example");
        box.accept();
    });
    QCOMPARE(dialogs.InputText(nullptr, "包名输入框", "请输入一个包名如:           ", "velmorantis"),
        std::optional<QString>("org.example"));
    QCOMPARE(seen.back(), QString("包名输入框|请输入一个包名如:           |velmorantis"));
    WhenShown<QInputDialog>([](QInputDialog& box) { box.reject(); });
    QCOMPARE(dialogs.InputText(nullptr, "请输入工程名称", "", ""), std::optional<QString>());
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
