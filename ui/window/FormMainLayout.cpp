// The window's controls and menus: what the window is made of and where
// each part sits; the commands are the command objects' own.
#include "ui/window/FormMain.h"

#include "model/rules/TargetFacts.h"
#include "model/store/DatabaseKind.h"
#include "model/store/MemberFields.h"
#include "ui/dialogs/UiText.h"
#include "ui/window/Banner.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>
#include <utility>
#include <vector>

namespace {

const int kClientWidth = 828;
const int kClientHeight = 547;
const int kBannerHeight = 97;

} // namespace

void TFormMain::FitToScreen()
{
    QSize wanted(kClientWidth, kClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    QSize room = wanted;
    if (QScreen* screen = this->screen())
        room = screen->availableGeometry().size();
    // Where the screen has room the window starts at, and keeps at least,
    // the client area's size; otherwise it takes the screen and scrolls.
    QSize start = wanted.boundedTo(room);
    setMinimumSize(start);
    resize(start);
}

void TFormMain::BuildControls()
{
    QWidget* client = BuildClientArea();
    GroupBox1 = new QGroupBox(Text("项目操作区"), client);
    GroupBox1->setObjectName("GroupBox1");
    auto* areaFrame = new QVBoxLayout;
    areaFrame->setContentsMargins(3, 4, 3, 4);
    areaFrame->addWidget(GroupBox1);
    static_cast<QVBoxLayout*>(client->layout())->addLayout(areaFrame, 1);
    auto* areaLayout = new QHBoxLayout(GroupBox1);
    areaLayout->setContentsMargins(4, 6, 4, 6);
    areaLayout->setSpacing(6);
    areaLayout->addWidget(BuildClassSide());

    // Right: the member table above the progress box.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    BuildMemberTable();
    // Which class the member commands work on, with its friendly name.
    Lbl_CurrentClass = new QLabel(GroupBox1);
    Lbl_CurrentClass->setObjectName("Lbl_CurrentClass");
    Lbl_CurrentClass->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    right->addWidget(Lbl_CurrentClass);
    right->addWidget(LV_Member, 3);

    // Beside the menus: whether the next runs of this project make the pages.
    CB_WebApp = new QCheckBox(Text("同时生成网页(JSP)和 web.xml"), GroupBox1);
    CB_WebApp->setObjectName("CB_WebApp");
    CB_WebApp->setToolTip(
        Text("生成 WebRoot/ 下 struts.xml 用到的全部 JSP 页面、WEB-INF/web.xml、校验文件和 build.xml"));
    right->addWidget(CB_WebApp);
    connect(CB_WebApp, &QCheckBox::toggled, this, [this](bool on) { Guarded([this, on] { RememberWebapp(on); }); });
    right->addWidget(BuildProgressBox(), 2);
    areaLayout->addLayout(right, 1);
    ConnectLists();
}

QWidget* TFormMain::BuildClientArea()
{
    // The client area is 828x547 at the start and never smaller; the window
    // may grow (the lists, the member table and the progress box grow with
    // it), and on a screen too small for it the area scrolls.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ClientScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* client = new QWidget(scroll);
    client->setObjectName("ClientArea");
    client->setMinimumSize(kClientWidth, kClientHeight);
    scroll->setWidget(client);
    setCentralWidget(scroll);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);

    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->setFixedHeight(kBannerHeight);
    Image1->setMinimumWidth(kClientWidth);
    Image1->setScaledContents(true);
    Image1->setPixmap(DrawBanner(QSize(kClientWidth, kBannerHeight), bannerFrameworks_));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(Text("关于本程序"));
    Image1->installEventFilter(this);
    clientLayout->addWidget(Image1);
    return client;
}

// Left: the project selector above the class list.
QWidget* TFormMain::BuildClassSide()
{
    auto* left = new QWidget(GroupBox1);
    // Narrow enough that every column of the member table fits beside it.
    left->setFixedWidth(130);
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
    // For large projects: typing narrows the list to matching classes (by
    // class or friendly name); the list keeps its order.
    Edt_ClassFilter = new QLineEdit(left);
    Edt_ClassFilter->setObjectName("Edt_ClassFilter");
    Edt_ClassFilter->setPlaceholderText(Text("筛选类…"));
    Edt_ClassFilter->setClearButtonEnabled(true);
    leftLayout->addWidget(Edt_ClassFilter);
    LB_Object = new QListWidget(left);
    LB_Object->setObjectName("LB_Object");
    connect(
        Edt_ClassFilter, &QLineEdit::textChanged, this, [this](const QString& text) { lists_->FilterClasses(text); });
    LB_Object->setSelectionMode(QAbstractItemView::SingleSelection);
    LB_Object->viewport()->installEventFilter(this);
    LB_Object->installEventFilter(this);
    leftLayout->addWidget(LB_Object, 1);
    return left;
}

QWidget* TFormMain::BuildProgressBox()
{
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
    return GroupBox2;
}

void TFormMain::ConnectLists()
{
    connect(LB_Object, &QListWidget::currentRowChanged, this, [this](int) { RefreshStatus(); });
    connect(CB_Project, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) { RefreshStatus(); });
    connect(CB_Project, qOverload<int>(&QComboBox::activated), this,
        [this](int) { Guarded([this] { lists_->ReloadClasses(lists_->SelectedProjectId()); }); });
    // A click on an entry, or moving to it with the keys, shows its members;
    // the program's own changes of the list do not.
    connect(LB_Object, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!lists_->Filling() && row >= 0)
            Guarded([this] { lists_->ReloadMembers(lists_->SelectedClassId()); });
    });
    connect(LB_Object, &QListWidget::itemClicked, this,
        [this](QListWidgetItem*) { Guarded([this] { lists_->ReloadMembers(lists_->SelectedClassId()); }); });
}

// 编号, 成员名称, 成员类型, 长度, one column per entry flag, 注释. 长度 and
// the flags without a width of their own get 50, the width list views
// traditionally give a column, so that every column fits the window.
void TFormMain::BuildMemberTable()
{
    std::vector<std::pair<const char*, int>> columns = { { "编号", 1 }, { "成员名称", 90 }, { "成员类型", 80 },
        { "长度", 50 } };
    for (const TMemberField* flag : ListedFlagFields())
        columns.emplace_back(flag->tableCaption, flag->tableWidth ? flag->tableWidth : 50);
    columns.emplace_back("注释", 120);
    LV_Member = new QTableWidget(0, static_cast<int>(columns.size()), GroupBox1);
    LV_Member->setObjectName("LV_Member");
    // Tab leaves the table for the next control instead of walking its cells.
    LV_Member->setTabKeyNavigation(false);
    QStringList headers;
    for (const auto& column : columns)
        headers << Text(column.first);
    LV_Member->setHorizontalHeaderLabels(headers);
    QHeaderView* header = LV_Member->horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    for (int column = 0; column < static_cast<int>(columns.size()); ++column)
        header->resizeSection(column, columns[column].second);
    LV_Member->verticalHeader()->hide();
    LV_Member->verticalHeader()->setDefaultSectionSize(LV_Member->fontMetrics().height() + 8);
    LV_Member->setShowGrid(true);
    LV_Member->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV_Member->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_Member->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV_Member->setWordWrap(false);
    LV_Member->viewport()->installEventFilter(this);
    LV_Member->installEventFilter(this);
    KeepMemberColumnWidths();
}

// Widths the user dragged stay for every class and the next start. They are
// kept by column caption, so a column added in a later version starts at its
// own width and the others keep theirs.
void TFormMain::KeepMemberColumnWidths()
{
    QHeaderView* header = LV_Member->horizontalHeader();
    QSettings settings("javagen", "workbench");
    settings.beginGroup("memberColumnWidths");
    for (int column = 0; column < header->count(); ++column) {
        QString key = LV_Member->horizontalHeaderItem(column)->text();
        int width = settings.value(key, -1).toInt();
        if (width >= header->minimumSectionSize() && width <= 2000)
            header->resizeSection(column, width);
    }
    // Written once the dragging stops (and when the window closes), not at
    // every pixel of it.
    widthSaver_ = new QTimer(this);
    widthSaver_->setSingleShot(true);
    widthSaver_->setInterval(400);
    connect(widthSaver_, &QTimer::timeout, this, &TFormMain::SaveMemberColumnWidths);
    connect(header, &QHeaderView::sectionResized, widthSaver_, qOverload<>(&QTimer::start));
}

void TFormMain::SaveMemberColumnWidths()
{
    widthSaver_->stop();
    QHeaderView* header = LV_Member->horizontalHeader();
    QSettings settings("javagen", "workbench");
    settings.beginGroup("memberColumnWidths");
    for (int column = 0; column < header->count(); ++column)
        settings.setValue(LV_Member->horizontalHeaderItem(column)->text(), header->sectionSize(column));
}

QAction* TFormMain::AddCommand(QMenu* menu, const char* objectName, const char* caption, std::function<void()> command)
{
    QAction* action = menu->addAction(Text(caption));
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

void TFormMain::BuildMenu()
{
    Menu_Project = menuBar()->addMenu(Text("项目操作(&P)"));
    Menu_Project->setObjectName("Menu_Project");
    AddCommand(Menu_Project, "Act_NewProject", "新建项目(&F)", [this] { projectCommands_.NewProject(); });
    AddCommand(Menu_Project, "Act_RenameProject", "修改项目名称(&X)", [this] { projectCommands_.RenameProject(); });
    AddCommand(Menu_Project, "Act_DeleteProject", "删除当前项目(&D)", [this] { projectCommands_.DeleteProject(); });
    // F5 reads the model again (changes javagen-cli or another window made);
    // a window action, not a menu item: the menus are as they always were.
    auto* reload = new QAction(Text("重新读取模型"), this);
    reload->setObjectName("Act_ReloadModel");
    reload->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(reload);
    connect(reload, &QAction::triggered, this, [this] { Guarded([this] { ReloadModel(); }); });
    AddCommand(Menu_Project, "Act_AddClass", "添加类(&A)", [this] { projectCommands_.AddClass(); });
    AddCommand(Menu_Project, "Act_UpdateClass", "修改类名(&B)", [this] { projectCommands_.ChangeClass(); });
    AddCommand(Menu_Project, "Act_DeleteClass", "删除类(&S)", [this] { projectCommands_.DeleteClass(); });
    AddCommand(Menu_Project, "Act_AddMember", "添加成员(&M)", [this] { projectCommands_.AddMember(); });
    AddCommand(Menu_Project, "Act_UpdateMember", "修改成员属性(&E)", [this] { projectCommands_.ChangeMember(); });
    AddCommand(Menu_Project, "Act_DeleteMember", "删除成员(&C)", [this] { projectCommands_.DeleteMember(); });

    Menu_Code = menuBar()->addMenu(Text("代码管理(&A)"));
    Menu_Code->setObjectName("Menu_Code");
    AddCommand(Menu_Code, "Act_SetPackage", "设置包名(&S)", [this] { codeCommands_.SetPackageName(); });
    Act_Generate = AddCommand(Menu_Code, "Act_Generate", "自动生成代码(&A)", [this] { codeCommands_.GenerateCode(); });

    // Commands beyond the two menus above, which keep exactly their items.
    Menu_Tools = menuBar()->addMenu(Text("工具(&T)"));
    Menu_Tools->setObjectName("Menu_Tools");
    AddCommand(Menu_Tools, "Act_Preview", "预览代码(&V)", [this] { toolsCommands_.PreviewCode(); });
    AddCommand(Menu_Tools, "Act_OpenOutput", "打开生成目录(&O)", [this] { toolsCommands_.OpenOutputFolder(); });
    Menu_Tools->addSeparator();
    Act_MergeGenerate = AddCommand(
        Menu_Tools, "Act_MergeGenerate", "合并生成代码(保留手工修改)(&M)", [this] { codeCommands_.MergeGenerate(); });
    Menu_Tools->addSeparator();
    AddCommand(Menu_Tools, "Act_ExportModel", "导出模型(&E)...", [this] { toolsCommands_.ExportModelFile(); });
    AddCommand(Menu_Tools, "Act_ImportModel", "导入模型(&I)...", [this] { toolsCommands_.ImportModelFile(); });
    AddCommand(Menu_Tools, "Act_ImportDb", "从数据库导入(&D)...", [this] { toolsCommands_.ImportFromDatabase(); });
    Menu_Tools->addSeparator();
    // Per project: the frameworks the generated code is for, one choice per
    // row of the target table ("Act_TargetLegacy", "Act_TargetCurrent", ...);
    // unchecking the checked one goes back to the default.
    Group_Target = new QActionGroup(this);
    Group_Target->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* const mnemonics = "GJKLNQRUWXYZ";
    size_t row = 0;
    for (const TTargetFacts& target : KnownTargets()) {
        QString text = Text("目标框架: ") + Text(target.caption);
        if (row < std::strlen(mnemonics))
            text += QString("(&%1)").arg(QChar(mnemonics[row]));
        ++row;
        QAction* action = Menu_Tools->addAction(text);
        std::string name = target.name;
        action->setObjectName(Text("Act_Target") + Text(name).left(1).toUpper() + Text(name).mid(1));
        action->setCheckable(true);
        action->setData(Text(name));
        Group_Target->addAction(action);
        connect(action, &QAction::toggled, this, [this, name](bool on) {
            Guarded([this, name, on] {
                if (on)
                    RememberTarget(name);
                else if (!Group_Target->checkedAction())
                    RememberTarget(kTargetLegacy);
            });
        });
    }
    Menu_Tools->addSeparator();
    // Per project: the database its application uses ("Act_DatabaseMysql",
    // "Act_DatabasePostgresql"); unchecking goes back to MariaDB/MySQL.
    Group_Database = new QActionGroup(this);
    Group_Database->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const TDatabaseKind& kind : DatabaseKinds()) {
        QAction* action = Menu_Tools->addAction(Text("数据库: ") + Text(kind.caption));
        std::string name = kind.name;
        action->setObjectName(Text("Act_Database") + Text(name).left(1).toUpper() + Text(name).mid(1));
        action->setCheckable(true);
        action->setData(Text(name));
        Group_Database->addAction(action);
        connect(action, &QAction::toggled, this, [this, name](bool on) {
            Guarded([this, name, on] {
                if (on)
                    RememberDatabaseKind(name);
                else if (!Group_Database->checkedAction())
                    RememberDatabaseKind(kDatabaseMysql);
            });
        });
    }
}

void TFormMain::BuildStatusBar()
{
    // Below the client area, which keeps its size: where the model comes
    // from, what the next run uses and where it writes. Long paths are cut
    // at the window's edge; the tool tip holds them whole.
    auto* bar = new QWidget(this);
    bar->setObjectName("StatusArea");
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    auto label = [bar](const char* name) {
        auto* l = new QLabel(bar);
        l->setObjectName(name);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        return l;
    };
    Lbl_ModelFile = label("Lbl_ModelFile");
    Lbl_Package = label("Lbl_Package");
    Lbl_Target = label("Lbl_Target");
    Lbl_Output = label("Lbl_Output");
    Lbl_Written = label("Lbl_Written");
    Lbl_TemplateWarning = label("Lbl_TemplateWarning");
    Lbl_TemplateWarning->setStyleSheet("color: #b00000;");
    grid->addWidget(Lbl_ModelFile, 0, 0);
    grid->addWidget(Lbl_Package, 0, 1);
    grid->addWidget(Lbl_Output, 1, 0);
    grid->addWidget(Lbl_Written, 1, 1);
    grid->addWidget(Lbl_Target, 2, 0, 1, 2);
    grid->addWidget(Lbl_TemplateWarning, 3, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    statusBar()->addWidget(bar, 1);
    statusBar()->setSizeGripEnabled(true);
}
