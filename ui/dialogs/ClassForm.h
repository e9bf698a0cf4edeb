#pragma once
#include "ui/dialogs/FormContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// What the add and change class dialogs share: the class name and friendly
// name fields and the "确定" button, which runs Accept.
class TClassForm : public QDialog {
    Q_OBJECT

public:
    QLabel* Label1 = nullptr;
    QLineEdit* Edt_ClassName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edt_FriendName = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    TClassForm(const TFormContext& context, const char* objectName, const char* caption, int width, int height);
    // Checks the entry and stores it; closes the dialog when accepted.
    virtual void Accept() = 0;
    void Message(const QString& text);

    TFormContext context_;
};
