#include "ui/dialogs/PreviewForm.h"

#include "ui/dialogs/ScreenFit.h"

#include "ui/dialogs/CodeView.h"
#include "ui/dialogs/UiText.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TPreviewForm::TPreviewForm(QWidget* owner, const QString& className, const TClassPreview& preview)
    : QDialog(owner)
{
    setObjectName("PreviewForm");
    setWindowTitle(Text("预览代码 - ") + className);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    Tabs = new QTabWidget(this);
    Tabs->setObjectName("Tabs");
    for (const auto& file : preview.files) {
        auto* view = new TCodeView(Tabs);
        QString name = Text(file.name);
        bool markup = name.endsWith(".xml") || name.endsWith(".jsp");
        new TCodeHighlighter(
            view->document(), markup ? TCodeHighlighter::TLanguage::Xml : TCodeHighlighter::TLanguage::Java);
        texts_ << Text(file.text);
        view->setPlainText(texts_.back());
        view->setToolTip(Text(file.displayPath));
        Tabs->addTab(view, name);
    }
    layout->addWidget(Tabs, 1);
    auto* buttons = new QHBoxLayout;
    Btn_Copy = new QPushButton(Text("复制本页(&C)"), this);
    Btn_Copy->setObjectName("Btn_Copy");
    Btn_Close = new QPushButton(Text("关闭"), this);
    Btn_Close->setObjectName("Btn_Close");
    buttons->addWidget(Btn_Copy);
    buttons->addStretch(1);
    buttons->addWidget(Btn_Close);
    layout->addLayout(buttons);
    connect(Btn_Copy, &QPushButton::clicked, this,
        [this] { QApplication::clipboard()->setText(TabText(Tabs->currentIndex())); });
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    FitToScreen(*this, QSize(900, 640), false);
}
