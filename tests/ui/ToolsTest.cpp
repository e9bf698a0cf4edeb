// The window's tools menu: the merging generation with its plan, and the
// model exported to and imported from a file through the file dialogs.
#include "UiTestSupport.h"

#include "ui/dialogs/ImportDbForm.h"
#include "ui/dialogs/MergePlanForm.h"

#include "RawSqlite.h"
#include "model/files/ModelFile.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/ProjectDAO.h"
#include "model/store/TextCodec.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

// The merge plan's rows as "处理<TAB>文件", the unchanged files' group
// opened first.
QStringList PlanRows(QTreeWidget* plan)
{
    QStringList rows;
    for (int i = 0; i < plan->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = plan->topLevelItem(i);
        if (item->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator) {
            rows << item->text(0) + "\t" + item->text(1);
            continue;
        }
        item->setExpanded(true);
        for (int c = 0; c < item->childCount(); ++c)
            rows << item->child(c)->text(0) + "\t" + item->child(c)->text(1);
    }
    return rows;
}

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void Spill(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A menu's entries as shown, a separator as "-".
QStringList ActionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* action : actions)
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

// The text without its "project" line.
std::string WithoutProjectLine(std::string text)
{
    size_t at = text.find("  \"project\": ");
    if (at != std::string::npos)
        text.erase(at, text.find('\n', at) + 1 - at);
    return text;
}

// A TCP port on 127.0.0.1 that takes connections and never says a word, as
// a server that hangs does; closed, its port refuses connections.
class TSilentServer {
public:
    TSilentServer()
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        listen(fd_, 4);
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~TSilentServer() { Close(); }
    void Close()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
    int Port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

const char* const kModelFilter = "javagen 模型文件 (*.json);;所有文件 (*)";
const char* const kNoProject = "没有一个工程被选中！";

} // namespace

class ToolsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        model_ = std::make_unique<TTempModel>();
        shop_ = PlantProject("Shop");
        int customer = PlantClass(shop_, "Customer", "客户");
        PlantMember(shop_, customer, "customerId", "整型", "pm");
        PlantMember(shop_, customer, "name", "字符串", "dq", 40, "姓名");
        int purchase = PlantClass(shop_, "Purchase", "订单");
        PlantMember(shop_, purchase, "purchaseNo", "字符串", "pd", 20);
        PlantMember(shop_, purchase, "customer", "Customer", "mq");
    }
    void cleanup() { model_.reset(); }

    void MenusInTheirOrderWithTheirItems();
    void CommandsNeedASelectedProject();
    void MergePlanIsShownAndCancelWritesNothing();
    void MergeRunsAfterOkWithTheCommandsHeldBack();
    void ConflictingEditIsNamedInTheFinalBox();
    void ExportWritesTheModelFile();
    void ImportUnderATakenNameAsksForANewOne();
    void ImportIntoTheSameProjectShowsThePlanFirst();
    void CancelledOrRefusedImportWritesNothing();
    void DatabaseConnectWaitsOffTheWindowAndCanBeCancelled();

private:
    // The run writes below out/ of the temporary directory.
    void UseOutput(TWindowUnderTest& t) const
    {
        t.window->SetRunLocations({ JAVAGEN_TEMPLATES, model_->Path("out").string() });
    }
    // Starts a merging generation, answers its plan with OK and waits until
    // the run has ended.
    void MergeToTheEnd(TWindowUnderTest& t)
    {
        t.OnDialog([](QDialog& dialog) { dialog.accept(); });
        Find<QAction>(*t.window, "Act_MergeGenerate")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(*t.window, "Act_Generate")->isEnabled(), 60000);
    }
    static QStringList Lines(const TFormMain& w)
    {
        return Find<QPlainTextEdit>(w, "Memo_State")->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    std::filesystem::path Package() const { return model_->Path("out/projects/Shop/src/com/velmorantis"); }

    std::unique_ptr<TTempModel> model_;
    int shop_ = 0;
};

void ToolsTest::MenusInTheirOrderWithTheirItems()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QCOMPARE(ActionTexts(w.menuBar()->actions()), QStringList({ "项目操作(&P)", "代码管理(&A)", "工具(&T)" }));
    QCOMPARE(w.menuBar()->actions().value(0)->menu(), Find<QMenu>(w, "Menu_Project"));
    QCOMPARE(w.menuBar()->actions().value(1)->menu(), Find<QMenu>(w, "Menu_Code"));
    QCOMPARE(w.menuBar()->actions().value(2)->menu(), Find<QMenu>(w, "Menu_Tools"));
    QCOMPARE(ActionTexts(Find<QMenu>(w, "Menu_Project")->actions()),
        QStringList({ "新建项目(&F)", "修改项目名称(&X)", "删除当前项目(&D)", "添加类(&A)", "修改类名(&B)",
            "删除类(&S)", "添加成员(&M)", "修改成员属性(&E)", "删除成员(&C)" }));
    QCOMPARE(ActionTexts(Find<QMenu>(w, "Menu_Code")->actions()), QStringList({ "设置包名(&S)", "自动生成代码(&A)" }));
    // The tools menu holds the merging generation and the model's way in and
    // out, in this order (other tools may stand around them).
    const QList<QAction*> tools = Find<QMenu>(w, "Menu_Tools")->actions();
    const QList<QAction*> ours = { Find<QAction>(w, "Act_MergeGenerate"), Find<QAction>(w, "Act_ExportModel"),
        Find<QAction>(w, "Act_ImportModel"), Find<QAction>(w, "Act_ImportDb") };
    QCOMPARE(ActionTexts(ours),
        QStringList({ "合并生成代码(保留手工修改)(&M)", "导出模型(&E)...", "导入模型(&I)...", "从数据库导入(&D)..." }));
    for (int i = 0; i < ours.size(); ++i) {
        QVERIFY2(tools.contains(ours[i]), qPrintable(ours[i]->text()));
        if (i > 0)
            QVERIFY(tools.indexOf(ours[i - 1]) < tools.indexOf(ours[i]));
    }
    // A separator divides the generation from the model files.
    QVERIFY(tools.value(tools.indexOf(Find<QAction>(w, "Act_ExportModel")) - 1)->isSeparator());
    QVERIFY(t.dialogs.shown.empty());
}

void ToolsTest::CommandsNeedASelectedProject()
{
    model_.reset();
    model_ = std::make_unique<TTempModel>(); // no project at all
    TWindowUnderTest t;
    UseOutput(t);
    Find<QAction>(*t.window, "Act_MergeGenerate")->trigger();
    Find<QAction>(*t.window, "Act_ExportModel")->trigger();
    QCOMPARE(t.dialogs.Messages(), QStringList({ kNoProject, kNoProject }));
    QCOMPARE(t.dialogs.shown.size(), size_t(2)); // no file dialog came first
    QCOMPARE(t.dialogsRun, 0);
    QVERIFY(Find<QAction>(*t.window, "Act_MergeGenerate")->isEnabled());
    QVERIFY(!QDir(QtPath(model_->Path("out"))).exists());
}

void ToolsTest::MergePlanIsShownAndCancelWritesNothing()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    UseOutput(t);
    Find<QPlainTextEdit>(w, "Memo_State")->setPlainText("上一次的进度");
    QString objectName, title, summary;
    QStringList plan;
    bool isPlanForm = false;
    t.OnDialog([&](QDialog& dialog) {
        objectName = dialog.objectName();
        title = dialog.windowTitle();
        auto* form = qobject_cast<TMergePlanForm*>(&dialog);
        isPlanForm = form != nullptr;
        if (form) {
            plan = PlanRows(form->LB_Plan);
            summary = form->Lbl_Summary->text();
        }
        dialog.reject();
    });
    Find<QAction>(w, "Act_MergeGenerate")->trigger();
    // The plan is made on a worker thread, the commands held back meanwhile.
    QVERIFY(!Find<QAction>(w, "Act_MergeGenerate")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(t.dialogsRun, 1, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_MergeGenerate")->isEnabled(), 60000);
    QVERIFY(isPlanForm);
    QCOMPARE(objectName, QString("MergePlanForm"));
    QCOMPARE(title, QString("合并生成预览"));
    QCOMPARE(plan.size(), 21);
    QCOMPARE(plan.first(), QString("新建\tprojects/Shop/src/struts.xml"));
    QCOMPARE(plan.filter(QRegularExpression("^新建\tprojects/Shop/src/")).size(), 21);
    QVERIFY(plan.contains("新建\tprojects/Shop/src/com/velmorantis/dao/PurchaseDAO.java"));
    QCOMPARE(summary,
        QString("写入 21 个文件，合并 0 个，保留手工修改 0 个，冲突 0 个，另存为 .new 0 个，未改动 0 个，过时 0 个。"));

    // Cancelled: no file, no progress, no box, and the commands stay usable.
    QVERIFY(!QDir(QtPath(model_->Path("out"))).exists());
    QCOMPARE(Find<QPlainTextEdit>(w, "Memo_State")->toPlainText(), QString("上一次的进度"));
    QVERIFY(t.dialogs.shown.empty());
    QVERIFY(Find<QAction>(w, "Act_Generate")->isEnabled());
    QVERIFY(Find<QAction>(w, "Act_MergeGenerate")->isEnabled());
}

void ToolsTest::MergeRunsAfterOkWithTheCommandsHeldBack()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    UseOutput(t);
    Find<QPlainTextEdit>(w, "Memo_State")->setPlainText("上一次的进度");
    // While the final box is shown the run still goes: both commands are held
    // back and starting either does nothing.
    bool generateAtEnd = true, mergeAtEnd = true;
    int boxesBefore = -1;
    t.dialogs.onShow = [&](const TShownBox& box) {
        if (!box.text.startsWith("合并生成完毕："))
            return;
        generateAtEnd = Find<QAction>(w, "Act_Generate")->isEnabled();
        mergeAtEnd = Find<QAction>(w, "Act_MergeGenerate")->isEnabled();
        boxesBefore = static_cast<int>(t.dialogs.shown.size());
        Find<QAction>(w, "Act_MergeGenerate")->trigger();
        Find<QAction>(w, "Act_Generate")->trigger();
    };
    t.OnDialog([](QDialog& dialog) { dialog.accept(); });
    Find<QAction>(w, "Act_MergeGenerate")->trigger();
    QVERIFY(!Find<QAction>(w, "Act_Generate")->isEnabled());
    QVERIFY(!Find<QAction>(w, "Act_MergeGenerate")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);
    QVERIFY(Find<QAction>(w, "Act_MergeGenerate")->isEnabled());
    QVERIFY(!generateAtEnd);
    QVERIFY(!mergeAtEnd);
    QCOMPARE(boxesBefore, 1);
    QCOMPARE(t.dialogsRun, 1); // the start during the run showed no plan

    QCOMPARE(t.dialogs.Messages(),
        QStringList({ "合并生成完毕：写入 21 个文件，合并 0 个，保留手工修改 0 个，冲突 0 个，另存为 .new 0 个，"
                      "未改动 0 个，过时 0 个。" }));
    QCOMPARE(t.dialogs.shown.back().title, QString("任务提示"));
    QCOMPARE(t.dialogs.shown.back().icon, TMessageIcon::Information);

    const QString src = "projects/Shop/src/", package = src + "com/velmorantis/";
    QStringList expected = ShopProgressLines(src, package);
    QCOMPARE(Lines(w), expected);
    const QString root = QtPath(model_->Path("out"));
    for (const QString& line : expected)
        QVERIFY2(QFile::exists(root + "/" + line.chopped(5)), qPrintable(line));
    QVERIFY(QFile::exists(root + "/projects/Shop/.javagen/manifest.json"));
}

void ToolsTest::ConflictingEditIsNamedInTheFinalBox()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    UseOutput(t);
    MergeToTheEnd(t);
    QVERIFY(t.dialogs.LastMessage().startsWith("合并生成完毕："));

    // The user and the model change the same line.
    std::filesystem::path java = Package() / "domain" / "Customer.java";
    std::string bytes = Slurp(java);
    std::string line = Utf8ToGbk("    /*姓名*/\r\n");
    QVERIFY(bytes.find(line) != std::string::npos);
    bytes.replace(bytes.find(line), line.size(), Utf8ToGbk("    /*顾客的姓名*/\r\n"));
    Spill(java, bytes);
    TDbHelper().ExecuteSql("update t_member set memberComment='客户名称' where memberName='name'");

    QStringList plan;
    QString unchangedRow;
    int topRows = 0;
    t.OnDialog([&](QDialog& dialog) {
        if (auto* form = qobject_cast<TMergePlanForm*>(&dialog)) {
            topRows = form->LB_Plan->topLevelItemCount();
            QTreeWidgetItem* last = form->LB_Plan->topLevelItem(topRows - 1);
            unchangedRow = last->text(0) + "\t" + last->text(1) + "\t" + QString::number(last->childCount());
            plan = PlanRows(form->LB_Plan);
        }
        dialog.accept();
    });
    t.dialogs.shown.clear();
    Find<QAction>(w, "Act_MergeGenerate")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(w, "Act_Generate")->isEnabled(), 60000);

    const QString conflicted = "projects/Shop/src/com/velmorantis/domain/Customer.java";
    QVERIFY2(plan.contains("冲突\t" + conflicted), qPrintable(plan.join('\n')));
    // Files that change come before the unchanged ones.
    QVERIFY(plan.indexOf("冲突\t" + conflicted) < plan.indexOf("未改动\tprojects/Shop/src/struts.xml"));
    // The unchanged files are one row until it is opened.
    const int unchanged = int(plan.filter(QRegularExpression("^未改动\t")).size());
    QCOMPARE(unchangedRow, "未改动\t" + QString::number(unchanged) + " 个文件（展开查看）\t0");
    QCOMPARE(topRows, plan.size() - unchanged + 1);
    QVERIFY(Lines(w).contains(conflicted + "有冲突，请手工解决!"));

    QCOMPARE(t.dialogs.Messages().size(), 1);
    const QString text = t.dialogs.LastMessage();
    QVERIFY2(text.startsWith("合并生成完毕：写入 "), qPrintable(text));
    QVERIFY2(text.contains("，冲突 1 个，"), qPrintable(text));
    QVERIFY2(text.endsWith("。\n\n以下文件有冲突，请手工解决（冲突处已用 <<<<<<< 和 >>>>>>> 标出）：\n" + conflicted),
        qPrintable(text));
    QCOMPARE(t.dialogs.shown.back().icon, TMessageIcon::Warning);
    QCOMPARE(t.dialogs.shown.back().title, QString("任务提示"));
    QVERIFY(Slurp(java).find("<<<<<<< ") != std::string::npos);
    // The status bar counts as the box does.
    QString written = QRegularExpression("^合并生成完毕：(写入 \\d+ 个文件，合并 \\d+ 个)").match(text).captured(1);
    QVERIFY(!written.isEmpty());
    QCOMPARE(Find<QLabel>(w, "Lbl_Written")->text(), "合并生成：" + written + "，冲突 1 个，另存为 .new 0 个");
}

void ToolsTest::ExportWritesTheModelFile()
{
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    const std::filesystem::path file = model_->Path("商店.json");
    t.dialogs.saveAnswers = { QtPath(file) };
    Find<QAction>(w, "Act_ExportModel")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(2));
    const TShownBox& save = t.dialogs.shown[0];
    QCOMPARE(save.kind, TShownBox::SaveFile);
    QCOMPARE(save.title, QString("导出模型"));
    QCOMPARE(save.text, QString("Shop.json"));
    QCOMPARE(save.filter, QString(kModelFilter));
    QCOMPARE(t.dialogs.LastMessage(), "工程“Shop”的模型已导出到 " + QtPath(file));
    QCOMPARE(QString::fromStdString(Slurp(file)), QString::fromStdString(ExportModel(shop_)));

    // A cancelled dialog writes nothing and says nothing.
    std::filesystem::remove(file);
    t.dialogs.shown.clear();
    Find<QAction>(w, "Act_ExportModel")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].kind, TShownBox::SaveFile);
    QVERIFY(!std::filesystem::exists(file));
}

void ToolsTest::ImportUnderATakenNameAsksForANewOne()
{
    const std::filesystem::path file = model_->Path("shop.json");
    Spill(file, ExportModel(shop_));
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    t.dialogs.openAnswers = { QtPath(file) };
    // The first name given is taken as well: the box comes again.
    t.dialogs.inputAnswers = { QString("Shop"), QString("商店二") };
    Find<QAction>(w, "Act_ImportModel")->trigger();

    QCOMPARE(t.dialogs.shown.size(), size_t(4));
    QCOMPARE(t.dialogs.shown[0].kind, TShownBox::OpenFile);
    QCOMPARE(t.dialogs.shown[0].title, QString("导入模型"));
    QCOMPARE(t.dialogs.shown[0].filter, QString(kModelFilter));
    const QString prompt = "导入 shop.json 失败：工程“Shop”：该工程名称已经存在!\n请为导入的工程输入一个新名称:";
    for (int i : { 1, 2 }) {
        QCOMPARE(t.dialogs.shown[i].kind, TShownBox::Input);
        QCOMPARE(t.dialogs.shown[i].title, QString("请输入工程名称"));
        QCOMPARE(t.dialogs.shown[i].text, prompt);
    }
    QCOMPARE(t.dialogs.Messages(), QStringList({ "模型已导入为工程“商店二”!" }));

    QCOMPARE(ProjectEntries(w), QStringList({ "Shop", "商店二" }));
    QCOMPARE(w.Lists().SelectedProjectName(), QString("商店二"));
    QCOMPARE(ClassEntries(w), QStringList({ "Customer", "Purchase" }));
    QCOMPARE(MemberColumn(w, 1), QStringList({ "customerId", "name" }));
    QCOMPARE(QString::fromStdString(WithoutProjectLine(ExportModel(w.Lists().SelectedProjectId()))),
        QString::fromStdString(WithoutProjectLine(ExportModel(shop_))));
}

void ToolsTest::ImportIntoTheSameProjectShowsThePlanFirst()
{
    std::string text = ExportModel(shop_);
    const std::string name = ",\n        {\"name\":\"name\"";
    size_t from = text.find(name);
    QVERIFY(from != std::string::npos);
    text.erase(from, text.find('\n', from + 2) - from);
    const std::filesystem::path file = model_->Path("shop.json");
    Spill(file, text);
    const QStringList classIds = { QString::number(TClassDAO().GetClassId(shop_, "Customer")),
        QString::number(TClassDAO().GetClassId(shop_, "Purchase")) };
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    QString title, report;
    bool accept = false;
    t.OnDialog([&](QDialog& dialog) {
        title = dialog.windowTitle();
        report = Find<QPlainTextEdit>(dialog, "Memo_Report")->toPlainText();
        accept ? dialog.accept() : dialog.reject();
    });

    // Cancelled at the plan: the name box for a new project comes instead,
    // and cancelled too, nothing is written.
    const std::string before = ModelContents(model_->DbPath());
    t.dialogs.openAnswers = { QtPath(file) };
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(title, QString("导入模型"));
    QVERIFY2(report.contains("变更计划(工程“Shop”)：新增类 0 个，修改类 1 个，删除类 0 个；新增成员 0 个，修改成员 0 "
                             "个，删除成员 1 个。\n  类 Customer 删除成员 name"),
        qPrintable(report));
    QCOMPARE(t.dialogs.shown.back().kind, TShownBox::Input);
    QCOMPARE(ModelContents(model_->DbPath()), before);

    // Accepted, the loss is asked once more; no keeps the project as it was.
    accept = true;
    t.dialogs.shown.clear();
    t.dialogs.openAnswers = { QtPath(file) };
    t.dialogs.confirmAnswers = { false };
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(2));
    QCOMPARE(t.dialogs.shown[1].kind, TShownBox::Confirm);
    QCOMPARE(t.dialogs.shown[1].text,
        QString("导入 shop.json 失败：工程“Shop”：这次导入会丢失内容(删除类 Customer 的成员 "
                "name)，需要确认。确定要导入吗？"));
    QCOMPARE(ModelContents(model_->DbPath()), before);

    // Yes: the project is the file's, its classes keep their ids.
    t.dialogs.openAnswers = { QtPath(file) };
    t.dialogs.confirmAnswers = { true };
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(t.dialogs.LastMessage(), QString("模型已导入到工程“Shop”!"));
    QCOMPARE(ProjectEntries(w), QStringList({ "Shop" }));
    QCOMPARE(QString::fromStdString(ExportModel(shop_)), QString::fromStdString(text));
    QCOMPARE(QStringList({ QString::number(TClassDAO().GetClassId(shop_, "Customer")),
                 QString::number(TClassDAO().GetClassId(shop_, "Purchase")) }),
        classIds);
    QCOMPARE(MemberColumn(w, 1), QStringList({ "customerId" }));
}

void ToolsTest::CancelledOrRefusedImportWritesNothing()
{
    const std::filesystem::path file = model_->Path("shop.json");
    Spill(file, ExportModel(shop_));
    const std::filesystem::path broken = model_->Path("broken.json");
    Spill(broken, "{\n  \"format\": @\n}\n");
    const std::string before = ModelContents(model_->DbPath());
    TWindowUnderTest t;
    TFormMain& w = *t.window;

    // The file dialog cancelled.
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(1));
    QCOMPARE(t.dialogs.shown[0].kind, TShownBox::OpenFile);

    // The name box cancelled.
    t.dialogs.openAnswers = { QtPath(file) };
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(t.dialogs.shown.size(), size_t(3));
    QCOMPARE(t.dialogs.shown[2].kind, TShownBox::Input);
    QVERIFY(t.dialogs.Messages().isEmpty());

    // A file the import refuses: its message, naming the place.
    t.dialogs.openAnswers = { QtPath(broken) };
    Find<QAction>(w, "Act_ImportModel")->trigger();
    QCOMPARE(t.dialogs.Messages(), QStringList({ "导入 broken.json 失败：第 2 行第 13 列：不是正确的 JSON 文本" }));

    QCOMPARE(ModelContents(model_->DbPath()), before);
    QCOMPARE(ProjectEntries(w), QStringList({ "Shop" }));
}

void ToolsTest::DatabaseConnectWaitsOffTheWindowAndCanBeCancelled()
{
    TSilentServer server;
    TScriptedDialogs dialogs;
    TImportDbForm form(nullptr, dialogs);
    form.show();
    form.Edt_Port->setValue(server.Port());
    form.Edt_User->setText("reader");
    form.Edt_Database->setText("shop");

    // The server never answers: the dialog says what it waits for and
    // still handles events; 取消 stops the wait and keeps the dialog.
    QTest::mouseClick(form.Btn_Connect, Qt::LeftButton);
    QVERIFY(form.Connecting());
    QVERIFY(form.PB_Busy->isVisible());
    QVERIFY(!form.Btn_Connect->isEnabled() && !form.Edt_Host->isEnabled());
    QCOMPARE(form.Lbl_Busy->text(), QString("正在连接 127.0.0.1:%1 …（按“取消”停止）").arg(server.Port()));
    QTest::qWait(200);
    QTest::mouseClick(form.Btn_Cancel, Qt::LeftButton);
    QVERIFY(!form.Connecting());
    QVERIFY(form.isVisible());
    QVERIFY(form.Btn_Connect->isEnabled() && !form.PB_Busy->isVisible());
    QCOMPARE(form.Lbl_Busy->text(), QString("已取消连接。"));
    QCOMPARE(form.Edt_User->text(), QString("reader"));
    QVERIFY(dialogs.shown.empty());

    // A port nobody listens on: the refusal comes back as a message and
    // the fields stay for another try; 取消 now closes.
    server.Close();
    QTest::mouseClick(form.Btn_Connect, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!form.Connecting(), 10000);
    QCOMPARE(dialogs.Messages().size(), 1);
    QVERIFY2(
        dialogs.LastMessage().contains(QString("127.0.0.1:%1").arg(server.Port())), qPrintable(dialogs.LastMessage()));
    QVERIFY(!form.Schema() && !form.Btn_Import->isEnabled());
    QCOMPARE(form.Edt_Database->text(), QString("shop"));
    QTest::mouseClick(form.Btn_Cancel, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
}

QTEST_MAIN(ToolsTest)
#include "ToolsTest.moc"
