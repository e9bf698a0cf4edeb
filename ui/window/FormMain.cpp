#include "ui/window/FormMain.h"

#include "ui/window/Banner.h"
#include "ui/window/DesktopOpen.h"

#include "ui/window/FillingScope.h"

#include "model/rules/TargetFacts.h"
#include "model/store/DatabaseKind.h"
#include "ui/dialogs/UiText.h"
#include "ui/run/RunController.h"

#include "model/commands/ModelCommands.h"
#include "model/store/DbHelper.h"

#include <QSettings>

#include "model/commands/ModelReads.h"
#include "model/commands/ProjectSettings.h"
#include <sys/stat.h>

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>

#ifndef JAVAGEN_VERSION
#define JAVAGEN_VERSION "2.0.0"
#endif

namespace {

const char* const kCaption = "VelmorantisJava代码生成器2.0版";

} // namespace

namespace {

// The size and time of the model file and of its write-ahead log: what
// another program's write changes.
std::string ModelStamp()
{
    std::string stamp;
    for (const std::string& path : { TDbHelper::DatabasePath(), TDbHelper::DatabasePath() + "-wal" }) {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0)
            stamp += std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
                std::to_string(info.st_mtim.tv_nsec) + ";";
        else
            stamp += "-;";
    }
    return stamp;
}

} // namespace

TFormMain::TFormMain(IDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent)
    , dialogs_(dialogs)
    , dialogRunner_([](QDialog& dialog) { dialog.exec(); })
{
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<TMessageBoxDialogs>();
        dialogs_ = ownDialogs_.get();
    }
    setObjectName("FormMain");
    setWindowTitle(Text(kCaption));
    // Resizable and maximisable: a fixed 828x547 left controls out of reach
    // on small screens and at larger scale factors.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
        Qt::WindowCloseButtonHint);
    BuildControls();
    lists_ = std::make_unique<TModelLists>(
        TModelLists::TWidgets { CB_Project, Edt_ClassFilter, LB_Object, LV_Member }, state_,
        [this] { LoadProjectSettings(); }, [this] { RefreshStatus(); });
    BuildMenu();
    BuildStatusBar();
    runs_ = new TRunController(*this, Memo_State, Lbl_Written, Act_Generate, Act_MergeGenerate);
    folderOpener_ = [this](const QString& folder, std::function<void()> failed) {
        OpenFolderOnDesktop(this, folder, std::move(failed));
    };
    FitToScreen();

    bool opened = false;
    Guarded([this, &opened] {
        // The project last worked on in this model file (read before the
        // first project shown is recorded as the last one).
        QStringList last = QSettings("javagen", "workbench").value("lastProject").toStringList();
        lists_->ReloadProjects();
        opened = true;
        if (last.size() == 2 && last[0] == Text(TDbHelper::DatabasePath()))
            lists_->SelectProject(last[1].toInt());
    });
    modelRefused_ = !opened;
    modelStamp_ = ModelStamp();
    RefreshStatus();
    if (modelRefused_)
        Memo_State->appendPlainText(Text("模型数据库文件无法打开(原因见启动时的提示)，工程、类和成员都不可用。"
                                         "处理好该文件后请重新启动程序。"));
    std::string upgraded = TDbHelper::TakeUpgradeNotice();
    if (!upgraded.empty()) {
        Memo_State->appendPlainText(Text(upgraded));
        ::Message(*this, Text(upgraded));
    }
}

TFormMain::~TFormMain()
{
    if (widthSaver_ && widthSaver_->isActive())
        SaveMemberColumnWidths();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (runs_ && runs_->Going() &&
        !dialogs_->ConfirmDefaultNo(this,
            Text("正在生成代码。现在关闭窗口会使生成中途停止，部分文件不会写出。\n确定要关闭吗?"), Text("提示"))) {
        event->ignore();
        return;
    }
    if (widthSaver_->isActive())
        SaveMemberColumnWidths();
    QMainWindow::closeEvent(event);
}

void TFormMain::SetRunLocations(const TRunLocations& locations)
{
    runLocations_ = locations;
    RefreshStatus();
}

int TFormMain::ErrorClassId() const
{
    return runs_->ErrorClassId();
}

bool TFormMain::HandleKey(QObject* watched, int key)
{
    bool change = key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == LB_Object) {
        if (change)
            projectCommands_.ChangeClass();
        else if (key == Qt::Key_Delete)
            projectCommands_.DeleteClass();
        else
            return false;
        return true;
    }
    if (change)
        projectCommands_.ChangeMember();
    else if (key == Qt::Key_Delete)
        projectCommands_.DeleteMember();
    else if (key == Qt::Key_Insert)
        projectCommands_.AddMember();
    else
        return false;
    return true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    // The keys of the lists run the commands of the menu.
    if (event->type() == QEvent::KeyPress && (watched == LB_Object || watched == LV_Member)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            if (HandleKey(watched, key->key()))
                return true;
    }
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint())) {
            ShowAbout();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The press before the double click has already chosen the entry.
        if (watched == LB_Object->viewport()) {
            projectCommands_.ChangeClass();
            return true;
        }
        if (watched == LV_Member->viewport()) {
            projectCommands_.ChangeMember();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::changeEvent(QEvent* event)
{
    // Only the file system is looked at first: a model read that fails
    // shows a box, whose closing activates the window again (by then the
    // stamp is the new one).
    if (event->type() == QEvent::ActivationChange) {
        RefreshTemplateWarning();
        if (isActiveWindow() && !modelRefused_ && !(runs_ && runs_->Going()) && !modelStamp_.empty() &&
            ModelStamp() != modelStamp_)
            Guarded([this] { ReloadModel(); });
    }
    QMainWindow::changeEvent(event);
}

void TFormMain::ReloadModel()
{
    modelStamp_ = ModelStamp();
    int projectId = lists_->SelectedProjectId();
    int classId = lists_->SelectedClassId();
    lists_->ReloadProjects();
    lists_->SelectProject(projectId);
    lists_->SelectClass(classId);
    RefreshStatus();
}

void TFormMain::Guarded(const std::function<void()>& command)
{
    // The list the command came from gets the keyboard back after its
    // dialogs and boxes close: without a window manager (or with a simple
    // one) nothing else gives it back, and the next keys went nowhere.
    QPointer<QWidget> from = focusWidget();
    RunGuarded(*dialogs_, this, command);
    // What the window wrote itself is no reason to read the model again.
    modelStamp_ = ModelStamp();
    ReturnFocus(from);
}

void TFormMain::ReturnFocus(QWidget* to)
{
    if (!isVisible())
        return;
    activateWindow();
    if (to && to->isVisible() && to->isEnabled() && to->window() == this)
        to->setFocus(Qt::OtherFocusReason);
    else if (!focusWidget() || !focusWidget()->isVisible())
        LB_Object->setFocus(Qt::OtherFocusReason);
}

void TFormMain::SetDialogRunner(TDialogRunner runner)
{
    dialogRunner_ = std::move(runner);
}

void TFormMain::RunDialog(QDialog& dialog)
{
    dialogRunner_(dialog);
}

void TFormMain::ShowAbout()
{
    QString text = Text("Velmorantis Java代码生成器2.0版\n"
                        "版本 " JAVAGEN_VERSION "\n\n"
                        "根据工程、类和成员的模型生成 Struts 2 + Hibernate 3 的 Java Web 应用源代码：\n"
                        "struts.xml、hibernate.cfg.xml，每个类的 Hibernate 映射文件、领域类、DAO 类和 Action 类，\n"
                        "以及登录、管理员等支持文件。");
    dialogs_->ShowMessage(this, text, Text("关于"), TMessageIcon::Information);
}

// ---- where the user is --------------------------------------------------

TRunLocations TFormMain::RunLocations() const
{
    TRunLocations locations = runLocations_;
    locations.webapp = state_.Webapp();
    locations.target = state_.Target();
    return locations;
}

void TFormMain::ShowNotice(const QString& text, int timeoutMs)
{
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text, timeoutMs);
}

void TFormMain::ClearRunOutput(bool memo)
{
    if (memo)
        Memo_State->clear();
    Lbl_Written->clear();
}

void TFormMain::RefreshTemplateWarning()
{
    if (!Lbl_TemplateWarning)
        return; // still being built
    std::error_code ec;
    bool templates = std::filesystem::is_directory(runLocations_.templateDir, ec);
    Lbl_TemplateWarning->setText(templates ? QString()
                                           : Text("当前目录下没有 template 目录，生成代码时将找不到模板! (") +
                Text(std::filesystem::absolute(runLocations_.templateDir, ec).string()) + Text(")"));
    Lbl_TemplateWarning->setVisible(!templates);
}

void TFormMain::RefreshStatus()
{
    if (!Lbl_ModelFile)
        return; // still being built
    std::error_code ec;
    std::string model = std::filesystem::absolute(TDbHelper::DatabasePath(), ec).lexically_normal().string();
    auto show = [](QLabel* label, const QString& text) {
        label->setText(text);
        label->setToolTip(text);
    };
    show(Lbl_ModelFile, Text(modelRefused_ ? "模型文件无法打开: " : "模型文件: ") + Text(model));
    Lbl_ModelFile->setStyleSheet(modelRefused_ ? "color: #c00000;" : "");
    show(Lbl_Package, Text("包名: com.") + Text(state_.PackageName())); // as the code has it
    // The database only when not the default, so that a MariaDB/MySQL
    // project's line reads as it always has.
    show(Lbl_Target,
        Text("目标框架: ") + Text(TargetCaption(state_.Target())) +
            (state_.DatabaseKind() == kDatabaseMysql
                    ? QString()
                    : Text("，数据库: ") + Text(DatabaseKindCaption(state_.DatabaseKind()))));
    // The banner names the frameworks the selected project's code is for.
    const TTargetFacts* target = FindTarget(state_.Target());
    QString frameworks = Text(target ? target->shortCaption : state_.Target());
    if (Image1 && frameworks != bannerFrameworks_) {
        bannerFrameworks_ = frameworks;
        Image1->setPixmap(DrawBanner(Image1->pixmap().size() / Image1->pixmap().devicePixelRatio(), frameworks));
    }
    if (runs_)
        runs_->ShowProject(lists_->SelectedProjectId());
    show(Lbl_Output,
        lists_->SelectedProjectId() < 0 ? Text("生成目录: (没有选中工程)")
                                        : Text("生成目录: ") + ::OutputFolder(*this));
    RefreshTemplateWarning();

    int classId = lists_->SelectedClassId();
    QListWidgetItem* entry = LB_Object->currentItem();
    if (classId < 0 || !entry) {
        Lbl_CurrentClass->clear();
        Lbl_CurrentClass->setToolTip(QString());
        return;
    }
    std::string friendName;
    RunGuarded(*dialogs_, this, [&] { friendName = ReadFriendName(classId); });
    Lbl_CurrentClass->setText(Text("当前类: ") + entry->text() + Text("（") + Text(friendName) + Text("）"));
    Lbl_CurrentClass->setToolTip(Lbl_CurrentClass->text());
}

void TFormMain::LoadProjectSettings()
{
    int projectId = lists_->SelectedProjectId();
    state_.ShowProject(projectId);
    if (projectId < 0)
        return;
    TFillingScope filling(filling_);
    CB_WebApp->setChecked(state_.Webapp());
    ShowTarget();
    ShowDatabaseKind();
    RefreshStatus();
}

void TFormMain::ShowTarget()
{
    TFillingScope filling(filling_);
    for (QAction* action : Group_Target->actions())
        action->setChecked(action->data().toString() == Text(state_.Target()));
}

void TFormMain::RememberTarget(const std::string& target)
{
    if (filling_)
        return;
    TCommandResult result = state_.SetTarget(target);
    if (!result.Done())
        ::Message(*this, Text(result.message));
    ShowTarget(); // the stored one: after a refusal, or the default after an uncheck
    RefreshStatus();
}

void TFormMain::ShowDatabaseKind()
{
    TFillingScope filling(filling_);
    for (QAction* action : Group_Database->actions())
        action->setChecked(action->data().toString() == Text(state_.DatabaseKind()));
}

void TFormMain::RememberDatabaseKind(const std::string& kind)
{
    if (filling_)
        return;
    TCommandResult result = state_.SetDatabaseKind(kind);
    if (!result.Done())
        ::Message(*this, Text(result.message));
    ShowDatabaseKind();
    RefreshStatus();
}

void TFormMain::RememberWebapp(bool webapp)
{
    if (filling_)
        return;
    TCommandResult result = state_.SetWebapp(webapp);
    if (!result.Done())
        ::Message(*this, Text(result.message));
}
