#pragma once
#include "codegen/run/Preview.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTabWidget;
class TCodeView;

// "预览代码": one tab per file a run would write for the class, with the
// text it would write, highlighted, and a button that copies the current tab.
class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    TPreviewForm(QWidget* owner, const QString& className, const TClassPreview& preview);

    QTabWidget* Tabs = nullptr;
    QPushButton* Btn_Copy = nullptr;
    QPushButton* Btn_Close = nullptr;
    // The tab's text: the file's text, decoded, line ends and all.
    QString TabText(int index) const { return texts_.value(index); }

private:
    QStringList texts_;
};
