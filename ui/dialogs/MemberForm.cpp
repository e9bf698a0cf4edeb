#include "ui/dialogs/MemberForm.h"

#include "model/store/MemberFields.h"
#include "ui/dialogs/ScreenFit.h"
#include "ui/dialogs/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

TMemberForm::TMemberForm(
    const TFormContext& context, const char* objectName, const char* caption, int width, int height, int memberId)
    : QDialog(context.owner)
    , context_(context)
    , projectId_(context.projectId)
    , classId_(context.classId)
    , memberId_(memberId)
{
    setObjectName(objectName);
    setWindowTitle(Text(caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowCloseButtonHint);
    setModal(true);
    BuildControls();
    LayOut();
    FitToScreen(*this, QSize(width, height), true);
    connect(
        Button1, &QPushButton::clicked, this, [this] { RunGuarded(*context_.dialogs, this, [this] { Accept(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Edt_TypeFilter, &QLineEdit::textChanged, this, &TMemberForm::FilterTypeList);
    Edt_TypeFilter->installEventFilter(this);
}

// The fields, the flags (one check box per entry flag) and the buttons.
void TMemberForm::BuildControls()
{
    Label1 = new QLabel(Text("成员名称："), this);
    Edt_MemberName = new QLineEdit(this);
    Edt_MemberName->setObjectName("Edt_MemberName");
    Label2 = new QLabel(Text("成员类型："), this);
    CB_MemberType = new QComboBox(this);
    CB_MemberType->setObjectName("CB_MemberType");
    CB_MemberType->setEditable(false);
    CB_MemberType->setMaxVisibleItems(20);
    Edt_TypeFilter = new QLineEdit(this);
    Edt_TypeFilter->setObjectName("Edt_TypeFilter");
    Edt_TypeFilter->setPlaceholderText(Text("筛选类型"));
    Edt_TypeFilter->setClearButtonEnabled(true);
    Edt_TypeFilter->setToolTip(Text("只列出名称中含有这段文字的类型，回车打开列表"));
    Edt_TypeFilter->hide();
    Label3 = new QLabel(Text("长度： "), this);
    Edt_MemberLength = new QLineEdit(Text("20"), this);
    Edt_MemberLength->setObjectName("Edt_MemberLength");
    Label4 = new QLabel(Text("(字符串类型有效)"), this);
    for (const TMemberField* flag : EntryFlagFields()) {
        auto* box = new QCheckBox(Text(flag->checkCaption), this);
        box->setObjectName(flag->checkBox);
        box->setChecked(flag->newValue == 1);
        FlagBoxes.push_back(box);
    }
    Label5 = new QLabel(Text("成员注释："), this);
    Edt_MemberComment = new QLineEdit(this);
    Edt_MemberComment->setObjectName("Edt_MemberComment");
    Button1 = new QPushButton(Text("确定"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton(Text("取消"), this);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label3->setObjectName("Label3");
    Label4->setObjectName("Label4");
    Label5->setObjectName("Label5");
    Label1->setBuddy(Edt_MemberName);
    Label2->setBuddy(CB_MemberType);
    Label3->setBuddy(Edt_MemberLength);
    Label5->setBuddy(Edt_MemberComment);
}

// Name, type and length above the flags, two a row; the comment; the buttons.
void TMemberForm::LayOut()
{
    // On a small screen the fields scroll; the buttons stay in view.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 16);
    auto* grid = new QGridLayout(AddScrollingBody(*this, *outer));
    grid_ = grid;
    grid->setContentsMargins(24, 18, 24, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edt_MemberName, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(CB_MemberType, 1, 1, 1, 2);
    grid->addWidget(Edt_TypeFilter, 1, 2);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edt_MemberLength, 2, 1);
    grid->addWidget(Label4, 2, 2);
    // Two check boxes a row; the last alone spans the row.
    int flagRows = static_cast<int>((FlagBoxes.size() + 1) / 2);
    for (size_t i = 0; i < FlagBoxes.size(); ++i) {
        int row = 3 + static_cast<int>(i / 2);
        bool alone = i + 1 == FlagBoxes.size() && i % 2 == 0;
        grid->addWidget(FlagBoxes[i], row, 1 + static_cast<int>(i % 2), 1, alone ? 2 : 1);
    }
    const int commentRow = 3 + flagRows;
    grid->addWidget(Label5, commentRow, 0);
    grid->addWidget(Edt_MemberComment, commentRow, 1, 1, 2);
    grid->setRowStretch(commentRow + 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addSpacing(16);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    outer->addLayout(buttons);
}

namespace {

// From this many entries on, the type list is longer than a screen.
const int kFilteredFrom = 30;

} // namespace

void TMemberForm::FillTypeList()
{
    CB_MemberType->clear();
    for (const std::string& type : MemberTypeChoices(projectId_, classId_))
        CB_MemberType->addItem(QString::fromStdString(type));
    CB_MemberType->setCurrentIndex(0);
    // With many classes the list shares its row with the filter field.
    bool filtered = CB_MemberType->count() >= kFilteredFrom;
    grid_->removeWidget(CB_MemberType);
    grid_->addWidget(CB_MemberType, 1, 1, 1, filtered ? 1 : 2);
    Edt_TypeFilter->setVisible(filtered);
}

void TMemberForm::FilterTypeList(const QString& text)
{
    auto* view = qobject_cast<QListView*>(CB_MemberType->view());
    for (int row = 0; row < CB_MemberType->count(); ++row)
        view->setRowHidden(row, !CB_MemberType->itemText(row).contains(text, Qt::CaseInsensitive));
    // The choice stays what the user picked: the filter only narrows the
    // list, which Enter or Down in the filter opens.
}

bool TMemberForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edt_TypeFilter && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            CB_MemberType->showPopup();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TMemberEntry TMemberForm::Entry() const
{
    TMemberEntry entry;
    entry.name = Edt_MemberName->text().toStdString();
    entry.type = CB_MemberType->currentIndex() < 0 ? std::string() : CB_MemberType->currentText().toStdString();
    entry.lengthText = Edt_MemberLength->text().toStdString();
    std::vector<const TMemberField*> flags = EntryFlagFields();
    for (size_t i = 0; i < flags.size(); ++i)
        entry.*flags[i]->entryFlag = FlagBoxes[i]->isChecked();
    entry.comment = Edt_MemberComment->text().toStdString();
    for (const TMemberField* field : EntryTextFields())
        entry.*field->entryText = unshown_.*field->entryText;
    return entry;
}

QCheckBox* TMemberForm::FlagBox(const std::string& objectName) const
{
    for (QCheckBox* box : FlagBoxes)
        if (box->objectName().toStdString() == objectName)
            return box;
    return nullptr;
}

void TMemberForm::Accept()
{
    TCommandResult result = Store(Entry());
    if (result.refusal == TRefusal::Stale) {
        // Nothing left to change: the dialog closes, the table is reloaded.
        Message(QString::fromStdString(result.message));
        reject();
        context_.reload();
        return;
    }
    if (!result.Done()) {
        if (result.refusal == TRefusal::EmptyName)
            Edt_MemberName->setFocus();
        return Message(QString::fromStdString(result.message));
    }
    context_.reload();
    Message(QString::fromStdString(result.message));
    accept();
}

void TMemberForm::Message(const QString& text)
{
    ShowPlainMessage(*context_.dialogs, this, text);
}
