#pragma once
#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QPlainTextEdit;

// A report to read before something is written (what an import would
// create), with OK and Cancel.
class TReportForm : public QDialog {
    Q_OBJECT

public:
    TReportForm(
        QWidget* owner, const QString& title, const QString& intro, const QStringList& lines, const QString& okText);

    QPlainTextEdit* Memo_Report = nullptr;
    QDialogButtonBox* Buttons = nullptr;
};
