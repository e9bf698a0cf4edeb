#include "FormMain.h"

#include "AddClassForm.h"
#include "AddMemberForm.h"
#include "PreviewForm.h"
#include "UiText.h"
#include "UpdateClassForm.h"
#include "UpdateMemberForm.h"
#include "WindowListener.h"

#include "ClassDAO.h"
#include "DbHelper.h"
#include "EntryRules.h"
#include "MemberDAO.h"
#include "ModelCommands.h"
#include "ModelReads.h"
#include "Preview.h"
#include "ProjectDAO.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
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

// Marks the lists as being filled by the program for as long as it lives.
class TFillingScope {
public:
    explicit TFillingScope(bool& flag)
        : flag_(flag)
        , old_(flag)
    {
        flag_ = true;
    }
    ~TFillingScope() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

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
    // Fixed border with the system menu and the minimise button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildControls();
    BuildMenu();
    BuildStatusBar();
    folderOpener_ = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    // The client area below the menu keeps its size; the window follows it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Guarded([this] { ReloadProjects(); });
    RefreshStatus();
}

TFormMain::~TFormMain() = default;

bool TFormMain::HandleKey(QObject* watched, int key)
{
    bool change = key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == LB_Object) {
        if (change)
            ChangeClass();
        else if (key == Qt::Key_Delete)
            DeleteClass();
        else
            return false;
        return true;
    }
    if (change)
        ChangeMember();
    else if (key == Qt::Key_Delete)
        DeleteMember();
    else if (key == Qt::Key_Insert)
        AddMember();
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
            ChangeClass();
            return true;
        }
        if (watched == LV_Member->viewport()) {
            ChangeMember();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::Guarded(const std::function<void()>& command)
{
    RunGuarded(*dialogs_, this, command);
}

void TFormMain::Message(const QString& text)
{
    ShowPlainMessage(*dialogs_, this, text);
}

void TFormMain::SetDialogRunner(TDialogRunner runner)
{
    dialogRunner_ = std::move(runner);
}

void TFormMain::RunDialog(QDialog& dialog)
{
    dialogRunner_(dialog);
}

TFormContext TFormMain::FormContext(std::function<void()> reload)
{
    return { this, dialogs_, SelectedProjectId(), SelectedClassId(), std::move(reload) };
}

void TFormMain::ReloadSelectedMembers()
{
    if (SelectedClassId() >= 0)
        ReloadMembers(SelectedClassId());
}

// ---- refresh operations -------------------------------------------------

void TFormMain::ReloadProjects()
{
    TFillingScope filling(filling_);
    CB_Project->clear();
    TIdList projects = ReadProjects();
    for (const auto& entry : projects)
        CB_Project->addItem(Text(entry.text), entry.id);
    LB_Object->clear();
    if (projects.empty())
        return;
    CB_Project->setCurrentIndex(0);
    if (rememberedProjectIndex_ != -1 && rememberedProjectIndex_ < CB_Project->count())
        CB_Project->setCurrentIndex(rememberedProjectIndex_);
    ReloadClasses(SelectedProjectId());
}

void TFormMain::ReloadClasses(int projectId)
{
    TFillingScope filling(filling_);
    LB_Object->clear();
    for (const TClassRow& row : ReadClasses(projectId)) {
        auto* item = new QListWidgetItem(Text(row.className), LB_Object);
        item->setData(Qt::UserRole, row.classId);
        item->setData(Qt::UserRole + 1, Text(row.friendName));
    }
    if (LB_Object->count() == 0)
        return;
    LB_Object->setCurrentRow(0);
    ReloadMembers(SelectedClassId());
    RefreshStatus();
}

void TFormMain::ReloadMembers(int classId)
{
    LV_Member->clearContents();
    LV_Member->setRowCount(0);
    for (const TMemberRow& member : ReadClassMembers(classId)) {
        int row = LV_Member->rowCount();
        LV_Member->insertRow(row);
        int column = 0;
        auto put = [&](const QString& text) { LV_Member->setItem(row, column++, new QTableWidgetItem(text)); };
        put(QString::number(member.memberId));
        put(Text(member.name));
        put(Text(member.type));
        put(Text(member.length));
        for (bool flag : member.flags)
            put(Text(flag ? "是" : "否"));
        put(Text(member.comment));
    }
}

// ---- selection ----------------------------------------------------------

int TFormMain::SelectedProjectId() const
{
    int index = CB_Project->currentIndex();
    return index < 0 ? -1 : CB_Project->itemData(index).toInt();
}

QString TFormMain::SelectedProjectName() const
{
    int index = CB_Project->currentIndex();
    return index < 0 ? QString() : CB_Project->itemText(index);
}

int TFormMain::SelectedClassId() const
{
    QListWidgetItem* item = LB_Object->currentRow() < 0 ? nullptr : LB_Object->item(LB_Object->currentRow());
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

int TFormMain::SelectedMemberId() const
{
    QList<QTableWidgetItem*> selected = LV_Member->selectedItems();
    if (selected.isEmpty())
        return -1;
    QTableWidgetItem* caption = LV_Member->item(selected.first()->row(), 0);
    return caption ? caption->text().toInt() : -1;
}

void TFormMain::SetSelectedClassText(const QString& className)
{
    if (QListWidgetItem* item = LB_Object->currentItem())
        item->setText(className);
    RefreshStatus();
}

// ---- project commands ---------------------------------------------------

void TFormMain::NewProject()
{
    Guarded([this] {
        std::string name =
            dialogs_->InputText(this, Text("请输入工程名称"), QString(), QString()).value_or(QString()).toStdString();
        TCommandResult result = TModelCommands::NewProject(name);
        if (!result.Done())
            return Message(Text(result.message));
        ReloadProjects();
        Message(Text(result.message));
    });
}

void TFormMain::RenameProject()
{
    Guarded([this] {
        int projectId = SelectedProjectId();
        if (projectId < 0)
            return Message(Text("当前未有任何项目被选中!"));
        std::string name =
            dialogs_->InputText(this, Text("请输入项目名称"), QString(), QString()).value_or(QString()).toStdString();
        TCommandResult result = TModelCommands::RenameProject(projectId, name);
        if (!result.Done()) {
            Message(Text(result.message));
            if (result.refusal == TRefusal::Stale)
                ReloadProjects();
            return;
        }
        rememberedProjectIndex_ = CB_Project->currentIndex();
        Message(Text(result.message));
        ReloadProjects();
    });
}

void TFormMain::DeleteProject()
{
    Guarded([this] {
        int projectId = SelectedProjectId();
        if (projectId < 0)
            return Message(Text("未有任何项目被选中!"));
        if (!dialogs_->Confirm(this, Text("确认删除当前项目吗?"), Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteProject(projectId);
        rememberedProjectIndex_ = -1;
        Message(Text(result.message));
        ReloadProjects();
    });
}

// ---- class commands -----------------------------------------------------

void TFormMain::AddClass()
{
    Guarded([this] {
        if (SelectedProjectId() < 0)
            return Message(Text("当前未有任何项目被选中!"));
        int projectId = SelectedProjectId();
        TAddClassForm form(FormContext([this, projectId] { ReloadClasses(projectId); }));
        RunDialog(form);
    });
}

void TFormMain::ChangeClass()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("没有类被选中!"));
        QListWidgetItem* entry = LB_Object->currentItem();
        TUpdateClassForm form(FormContext([] {}), entry ? entry->text() : QString(),
            [this](const QString& className) { SetSelectedClassText(className); });
        RunDialog(form);
    });
}

void TFormMain::DeleteClass()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("没有类被选中!"));
        if (!dialogs_->Confirm(this, Text("确认删除此类对象！"), Text("提示")))
            return;
        TCommandResult result = TModelCommands::DeleteClass(classId);
        {
            // The member table keeps showing the deleted class's members and
            // no other class becomes the selected one.
            TFillingScope filling(filling_);
            delete LB_Object->takeItem(LB_Object->currentRow());
            LB_Object->setCurrentItem(nullptr);
            LB_Object->clearSelection();
        }
        RefreshStatus();
        Message(Text(result.message));
    });
}

// ---- member commands ----------------------------------------------------

void TFormMain::AddMember()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("请先选择类对象"));
        TAddMemberForm form(FormContext([this] { ReloadSelectedMembers(); }));
        RunDialog(form);
    });
}

void TFormMain::ChangeMember()
{
    Guarded([this] {
        int memberId = SelectedMemberId();
        if (memberId < 0)
            return Message(Text("请先选择一个成员"));
        // A row of a member deleted meanwhile (elsewhere, or with its class)
        // opens no dialog.
        TCommandResult exists = TModelCommands::MemberToChange(memberId);
        if (!exists.Done()) {
            Message(Text(exists.message));
            ReloadSelectedMembers();
            return;
        }
        TUpdateMemberForm form(FormContext([this] { ReloadSelectedMembers(); }), memberId);
        RunDialog(form);
    });
}

void TFormMain::DeleteMember()
{
    Guarded([this] {
        int memberId = SelectedMemberId();
        if (memberId < 0)
            return Message(Text("请先选择一个成员"));
        if (!dialogs_->Confirm(this, Text("确定删除当前成员属性?"), Text("删除提示")))
            return;
        TCommandResult result = TModelCommands::DeleteMember(memberId);
        Message(Text(result.message));
        int classId = SelectedClassId();
        if (classId >= 0) {
            ReloadMembers(classId);
        } else {
            // No class is selected (its class was deleted): drop just the row.
            LV_Member->removeRow(LV_Member->selectedItems().first()->row());
        }
    });
}

// ---- code commands ------------------------------------------------------

void TFormMain::SetPackageName()
{
    Guarded([this] {
        std::string name =
            dialogs_->InputText(this, Text("包名输入框"), Text("请输入一个包名如:           "), Text(packageName_))
                .value_or(QString())
                .toStdString();
        TVerdict verdict = CheckPackageName(name);
        if (!verdict.Accepted())
            return Message(Text(verdict.message));
        packageName_ = name;
        RefreshStatus();
    });
}

bool TFormMain::ReadyToRun()
{
    if (runGoing_)
        return false;
    if (SelectedProjectId() < 0) {
        Message(Text("没有一个工程被选中！"));
        return false;
    }
    return true;
}

void TFormMain::GenerateCode()
{
    Guarded([this] {
        if (!ReadyToRun())
            return;
        int projectId = SelectedProjectId();
        Message(Text("如果以前生成了该项目，最好先删除原来的目录!"));
        Memo_State->clear();
        Lbl_Written->clear();
        StartRun(projectId, SelectedProjectName().toStdString(), TRunKind::Plain);
    });
}

void TFormMain::StartRun(int projectId, const std::string& projectName, TRunKind kind)
{
    linesThisRun_ = 0;
    runKind_ = kind;
    runProjectId_ = projectId;
    runProjectName_ = projectName;
    // One run at a time: two runs would write the same files at once.
    runGoing_ = true;
    Act_Generate->setEnabled(false);
    Act_MergeGenerate->setEnabled(false);
    // The listener frees itself with the run's last report; it is freed here
    // only when no run could be started.
    auto* listener = new TWindowListener(this, kind == TRunKind::MergeDryRun);
    try {
        TAutoCode::Start(new TAutoCode(projectId, projectName, packageName_, *listener, runLocations_, kind));
    } catch (...) {
        delete listener;
        HandleFinished();
        throw;
    }
}

void TFormMain::StartApply(std::shared_ptr<const TMergePlan> plan)
{
    linesThisRun_ = 0;
    runKind_ = TRunKind::MergeApply;
    runGoing_ = true;
    Act_Generate->setEnabled(false);
    Act_MergeGenerate->setEnabled(false);
    auto* listener = new TWindowListener(this);
    try {
        TAutoCode::Start(new TAutoCode(std::move(plan), *listener));
    } catch (...) {
        delete listener;
        HandleFinished();
        throw;
    }
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

// ---- reports of a generation run ----------------------------------------

void TFormMain::HandleCheckFailed(const TCheckResult& result)
{
    FlushProgress();
    if (result.kind == TCheckKind::PrimaryMember || result.kind == TCheckKind::DisplayMember)
        ErrorClassId = result.classId;
    Message(Text(result.message));
}

void TFormMain::HandleProgress(const QString& line)
{
    ++linesThisRun_;
    // Lines arriving together are appended together: one layout of the box
    // per batch instead of per line keeps a large run from waiting on the
    // window.
    pendingLines_.append(line);
    if (pendingLines_.size() == 1)
        QTimer::singleShot(40, this, [this] { FlushProgress(); });
}

void TFormMain::FlushProgress()
{
    if (pendingLines_.isEmpty())
        return;
    Memo_State->appendPlainText(pendingLines_.join('\n'));
    pendingLines_.clear();
}

void TFormMain::HandleDone()
{
    FlushProgress();
    Lbl_Written->setText(Text("共写入 ") + QString::number(linesThisRun_) + Text(" 个文件"));
    dialogs_->ShowMessage(this, Text("所有代码生成完毕!"), Text("任务提示"), TMessageIcon::Information);
}

void TFormMain::HandleFailed(const QString& message)
{
    FlushProgress();
    dialogs_->ShowMessage(this, Text("代码生成失败：") + message, Text(kErrorTitle), TMessageIcon::Critical);
}

void TFormMain::HandleFinished()
{
    FlushProgress();
    runGoing_ = false;
    Act_Generate->setEnabled(true);
    Act_MergeGenerate->setEnabled(true);
    // The plan was accepted: now it is applied as it stands; or it was
    // stale, and a new one is made.
    if (runKind_ == TRunKind::MergeDryRun && approvedPlan_) {
        Memo_State->clear();
        Guarded([this] { StartApply(std::move(approvedPlan_)); });
        approvedPlan_.reset();
    } else if (runKind_ == TRunKind::MergeApply && replan_) {
        replan_ = false;
        Guarded([this] { StartRun(runProjectId_, runProjectName_, TRunKind::MergeDryRun); });
    }
}

// ---- where the user is --------------------------------------------------

QString TFormMain::OutputFolder() const
{
    std::string root = runLocations_.rootDir.empty() ? ProgramDirectory() : runLocations_.rootDir;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(root, ec);
    QString folder = Text((ec ? std::filesystem::path(root) : absolute).lexically_normal().string());
    if (folder.endsWith('/'))
        folder.chop(1);
    return folder + Text("/projects/") + SelectedProjectName();
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
    show(Lbl_ModelFile, Text("模型文件: ") + Text(model));
    show(Lbl_Package, Text("包名: ") + Text(packageName_));
    show(Lbl_Output, SelectedProjectId() < 0 ? Text("生成目录: (没有选中工程)") : Text("生成目录: ") + OutputFolder());
    bool templates = std::filesystem::is_directory(runLocations_.templateDir, ec);
    Lbl_TemplateWarning->setText(templates ? QString()
                                           : Text("当前目录下没有 template 目录，生成代码时将找不到模板! (") +
                Text(std::filesystem::absolute(runLocations_.templateDir, ec).string()) + Text(")"));
    Lbl_TemplateWarning->setVisible(!templates);

    int classId = SelectedClassId();
    QListWidgetItem* entry = LB_Object->currentItem();
    if (classId < 0 || !entry) {
        Lbl_CurrentClass->clear();
        return;
    }
    std::string friendName;
    RunGuarded(*dialogs_, this, [&] { friendName = TClassDAO().GetFriendName(classId); });
    Lbl_CurrentClass->setText(Text("当前类: ") + entry->text() + Text("（") + Text(friendName) + Text("）"));
}

void TFormMain::PreviewCode()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0 || !LB_Object->currentItem())
            return Message(Text("没有类被选中!"));
        QString className = LB_Object->currentItem()->text();
        std::optional<TClassPreview> preview;
        TCheckResult check = PreviewClass(SelectedProjectId(), SelectedProjectName().toStdString(), packageName_,
            runLocations_, className.toStdString(), preview);
        if (!check.Passed())
            return HandleCheckFailed(check);
        TPreviewForm form(this, className, *preview);
        RunDialog(form);
    });
}

void TFormMain::OpenOutputFolder()
{
    Guarded([this] {
        if (SelectedProjectId() < 0)
            return Message(Text("没有一个工程被选中！"));
        QString folder = OutputFolder();
        if (!QFileInfo(folder).isDir())
            return Message(Text("生成目录还不存在，生成代码后才会有:\n") + folder);
        folderOpener_(folder);
    });
}
