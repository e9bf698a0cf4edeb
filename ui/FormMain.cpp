#include "FormMain.h"

#include "AddClassForm.h"
#include "AddMemberForm.h"
#include "Banner.h"
#include "UpdateClassForm.h"
#include "UpdateMemberForm.h"

#include "ClassDAO.h"
#include "EntryRules.h"
#include "MemberDAO.h"
#include "ModelCommands.h"
#include "ProjectDAO.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#ifndef JAVAGEN_VERSION
#define JAVAGEN_VERSION "2.0.0"
#endif

namespace {

const char* const kCaption = "VelmorantisJava代码生成器2.0版";
const int kClientWidth = 828;
const int kClientHeight = 547;
const int kBannerHeight = 97;

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}
QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

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

// Receives one generation run's reports on the run's thread and hands each
// to the window's thread. Progress lines are queued without waiting (they
// still arrive in order, through the one event queue); every other report
// waits until the window has dealt with it, message box included. It
// outlives the window if need be: the window is reached through a guarded
// pointer, and calls go through the application object, which lives longer
// than any window. The last report of a run, Finished, frees the listener.
class TWindowListener : public IGenerationListener {
public:
    explicit TWindowListener(TFormMain* window)
        : window_(window)
    {
    }

    void SetErrorClassId(int classId) override
    {
        OnWindowThread([classId](TFormMain& w) { w.ErrorClassId = classId; });
    }
    void PrimaryMemberError() override
    {
        OnWindowThread([](TFormMain& w) { w.HandlePrimaryMemberError(); });
    }
    void DisplayMemberError() override
    {
        OnWindowThread([](TFormMain& w) { w.HandleDisplayMemberError(); });
    }
    void Progress(const std::string& line) override
    {
        OnWindowThread([text = Text(line)](TFormMain& w) { w.HandleProgress(text); }, Qt::QueuedConnection);
    }
    void ModelRefused(const std::string& message) override
    {
        OnWindowThread([text = Text(message)](TFormMain& w) { w.HandleModelRefused(text); });
    }
    void Done() override
    {
        OnWindowThread([](TFormMain& w) { w.HandleDone(); });
    }
    void Failed(const std::string& message) override
    {
        OnWindowThread([text = Text(message)](TFormMain& w) { w.HandleFailed(text); });
    }
    void Finished() override
    {
        OnWindowThread([](TFormMain& w) { w.HandleFinished(); });
        delete this; // the run makes no call after this one
    }

private:
    template<class F> void OnWindowThread(F action, Qt::ConnectionType type = Qt::BlockingQueuedConnection)
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        // A queued call may run after the listener is gone: it holds its own
        // guarded pointer to the window.
        auto call = [window = window_, action = std::move(action)] {
            if (window)
                action(*window);
        };
        if (QThread::currentThread() == app->thread())
            call();
        else
            QMetaObject::invokeMethod(app, call, type);
    }

    QPointer<TFormMain> window_;
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
    // The client area below the menu keeps its size; the window follows it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Guarded([this] { ReloadProjects(); });
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);

    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->setFixedHeight(kBannerHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(DrawBanner(QSize(kClientWidth, kBannerHeight)));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(Text("关于本程序"));
    Image1->installEventFilter(this);
    clientLayout->addWidget(Image1);

    GroupBox1 = new QGroupBox(Text("项目操作区"), client);
    GroupBox1->setObjectName("GroupBox1");
    auto* areaFrame = new QVBoxLayout;
    areaFrame->setContentsMargins(6, 4, 6, 6);
    areaFrame->addWidget(GroupBox1);
    clientLayout->addLayout(areaFrame, 1);
    auto* areaLayout = new QHBoxLayout(GroupBox1);
    areaLayout->setContentsMargins(8, 6, 8, 8);
    areaLayout->setSpacing(8);

    // Left: the project selector above the class list.
    auto* left = new QWidget(GroupBox1);
    left->setFixedWidth(190);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(4);
    auto* projectRow = new QHBoxLayout;
    Label1 = new QLabel(Text("项目:"), left);
    Label1->setObjectName("Label1");
    CB_Project = new QComboBox(left);
    CB_Project->setObjectName("CB_Project");
    CB_Project->setEditable(false);
    Label1->setBuddy(CB_Project);
    projectRow->addWidget(Label1);
    projectRow->addWidget(CB_Project, 1);
    leftLayout->addLayout(projectRow);
    leftLayout->addSpacing(4);
    Label2 = new QLabel(Text("该项目所有类如下:"), left);
    Label2->setObjectName("Label2");
    leftLayout->addWidget(Label2);
    LB_Object = new QListWidget(left);
    LB_Object->setObjectName("LB_Object");
    LB_Object->setSelectionMode(QAbstractItemView::SingleSelection);
    LB_Object->viewport()->installEventFilter(this);
    leftLayout->addWidget(LB_Object, 1);
    areaLayout->addWidget(left);

    // Right: the member table above the progress box.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    LV_Member = new QTableWidget(0, 10, GroupBox1);
    LV_Member->setObjectName("LV_Member");
    const char* captions[] = { "编号", "成员名称", "成员类型", "长度", "主键", "必填", "参与查询", "下拉框显示",
        "界面显示", "注释" };
    QStringList headers;
    for (const char* caption : captions)
        headers << Text(caption);
    LV_Member->setHorizontalHeaderLabels(headers);
    QHeaderView* header = LV_Member->horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    // Widths of the columns; 长度, 主键 and 必填 keep the toolkit's default.
    const int widths[] = { 1, 90, 80, -1, -1, -1, 60, 75, 80, 120 };
    for (int column = 0; column < 10; ++column)
        if (widths[column] > 0)
            header->resizeSection(column, widths[column]);
    LV_Member->verticalHeader()->hide();
    LV_Member->verticalHeader()->setDefaultSectionSize(LV_Member->fontMetrics().height() + 8);
    LV_Member->setShowGrid(true);
    LV_Member->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV_Member->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_Member->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV_Member->setWordWrap(false);
    LV_Member->viewport()->installEventFilter(this);
    right->addWidget(LV_Member, 3);

    GroupBox2 = new QGroupBox(Text("生成进度"), GroupBox1);
    GroupBox2->setObjectName("GroupBox2");
    auto* progressLayout = new QVBoxLayout(GroupBox2);
    progressLayout->setContentsMargins(6, 4, 6, 6);
    Memo_State = new QPlainTextEdit(GroupBox2);
    Memo_State->setObjectName("Memo_State");
    Memo_State->setReadOnly(true);
    Memo_State->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_State->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = Memo_State->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192)); // silver
    palette.setColor(QPalette::Text, Qt::black);
    Memo_State->setPalette(palette);
    progressLayout->addWidget(Memo_State);
    right->addWidget(GroupBox2, 2);
    areaLayout->addLayout(right, 1);

    connect(CB_Project, qOverload<int>(&QComboBox::activated), this,
        [this](int) { Guarded([this] { ReloadClasses(SelectedProjectId()); }); });
    // A click on an entry, or moving to it with the keys, shows its members;
    // the program's own changes of the list do not.
    connect(LB_Object, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0)
            Guarded([this] { ReloadMembers(SelectedClassId()); });
    });
    connect(LB_Object, &QListWidget::itemClicked, this,
        [this](QListWidgetItem*) { Guarded([this] { ReloadMembers(SelectedClassId()); }); });
}

QAction* TFormMain::AddCommand(QMenu* menu, const char* objectName, const char* caption, void (TFormMain::*command)())
{
    QAction* action = menu->addAction(Text(caption));
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return action;
}

void TFormMain::BuildMenu()
{
    Menu_Project = menuBar()->addMenu(Text("项目操作(&P)"));
    Menu_Project->setObjectName("Menu_Project");
    Act_NewProject = AddCommand(Menu_Project, "Act_NewProject", "新建项目(&F)", &TFormMain::NewProject);
    Act_RenameProject = AddCommand(Menu_Project, "Act_RenameProject", "修改项目名称(&X)", &TFormMain::RenameProject);
    Act_DeleteProject = AddCommand(Menu_Project, "Act_DeleteProject", "删除当前项目(&D)", &TFormMain::DeleteProject);
    Act_AddClass = AddCommand(Menu_Project, "Act_AddClass", "添加类(&A)", &TFormMain::AddClass);
    Act_UpdateClass = AddCommand(Menu_Project, "Act_UpdateClass", "修改类名(&B)", &TFormMain::ChangeClass);
    Act_DeleteClass = AddCommand(Menu_Project, "Act_DeleteClass", "删除类(&S)", &TFormMain::DeleteClass);
    Act_AddMember = AddCommand(Menu_Project, "Act_AddMember", "添加成员(&M)", &TFormMain::AddMember);
    Act_UpdateMember = AddCommand(Menu_Project, "Act_UpdateMember", "修改成员属性(&E)", &TFormMain::ChangeMember);
    Act_DeleteMember = AddCommand(Menu_Project, "Act_DeleteMember", "删除成员(&C)", &TFormMain::DeleteMember);

    Menu_Code = menuBar()->addMenu(Text("代码管理(&A)"));
    Menu_Code->setObjectName("Menu_Code");
    Act_SetPackage = AddCommand(Menu_Code, "Act_SetPackage", "设置包名(&S)", &TFormMain::SetPackageName);
    Act_Generate = AddCommand(Menu_Code, "Act_Generate", "自动生成代码(&A)", &TFormMain::GenerateCode);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
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

// ---- refresh operations -------------------------------------------------

void TFormMain::ReloadProjects()
{
    TFillingScope filling(filling_);
    CB_Project->clear();
    TIdList projects = TProjectDAO().ListProjects();
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
    for (const auto& entry : TClassDAO().ListClasses(projectId)) {
        auto* item = new QListWidgetItem(Text(entry.text), LB_Object);
        item->setData(Qt::UserRole, entry.id);
    }
    if (LB_Object->count() == 0)
        return;
    LB_Object->setCurrentRow(0);
    ReloadMembers(SelectedClassId());
}

void TFormMain::ReloadMembers(int classId)
{
    LV_Member->clearContents();
    LV_Member->setRowCount(0);
    auto rows = TMemberDAO().OpenClassMembers(classId);
    const char* flags[] = { "memberIsPri", "memberIsMust", "queryFlag", "memberIsDisplay", "memberQueryDisplay" };
    for (; !rows->Eof(); rows->Next()) {
        int row = LV_Member->rowCount();
        LV_Member->insertRow(row);
        int column = 0;
        auto put = [&](const QString& text) { LV_Member->setItem(row, column++, new QTableWidgetItem(text)); };
        put(Text(rows->AsText("memberId")));
        put(Text(rows->AsText("memberName")));
        put(Text(rows->AsText("memberType")));
        put(Text(rows->AsText("memberLength")));
        for (const char* flag : flags) {
            bool isNumber = false;
            int value = Text(rows->AsText(flag)).trimmed().toInt(&isNumber);
            put(Text(isNumber && value == 1 ? "是" : "否"));
        }
        put(Text(rows->AsText("memberComment")));
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
        TAddClassForm form(*this);
        RunDialog(form);
    });
}

void TFormMain::ChangeClass()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0)
            return Message(Text("没有类被选中!"));
        TUpdateClassForm form(*this, classId);
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
        TAddMemberForm form(*this, SelectedProjectId(), classId);
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
            if (SelectedClassId() >= 0)
                ReloadMembers(SelectedClassId());
            return;
        }
        TUpdateMemberForm form(*this, SelectedProjectId(), SelectedClassId(), memberId);
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
    });
}

void TFormMain::GenerateCode()
{
    Guarded([this] {
        if (runGoing_)
            return;
        int projectId = SelectedProjectId();
        if (projectId < 0)
            return Message(Text("没有一个工程被选中！"));
        Message(Text("如果以前生成了该项目，最好先删除原来的目录!"));
        Memo_State->clear();
        // One run at a time: two runs would write the same files at once.
        runGoing_ = true;
        Act_Generate->setEnabled(false);
        // The listener frees itself with the run's last report; it is freed
        // here only when no run could be started.
        auto* listener = new TWindowListener(this);
        try {
            TAutoCode::Start(
                new TAutoCode(projectId, SelectedProjectName().toStdString(), packageName_, *listener, runLocations_));
        } catch (...) {
            delete listener;
            HandleFinished();
            throw;
        }
    });
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

void TFormMain::ShowClassError(const char* text)
{
    Guarded([this, text] { Message(Text(TClassDAO().GetClassName(ErrorClassId)) + Text(text)); });
}

void TFormMain::HandlePrimaryMemberError()
{
    ShowClassError("表主键设置错误，每个类只能设置一个主键!");
}

void TFormMain::HandleDisplayMemberError()
{
    ShowClassError("表显示成员设置错误，每个类有且只能设置一个显示成员!");
}

void TFormMain::HandleProgress(const QString& line)
{
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

void TFormMain::HandleModelRefused(const QString& message)
{
    FlushProgress();
    Message(message);
}

void TFormMain::HandleDone()
{
    FlushProgress();
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
}
