#pragma once
#include "model/commands/ModelCommands.h"
#include "model/rules/EntryRules.h"
#include "ui/dialogs/FormContext.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// What the add and change member dialogs share: the member's fields, the
// type list, and "确定", which checks the entry with the entry rules, stores
// the record and reloads the main window's member table.
class TMemberForm : public QDialog {
    Q_OBJECT

public:
    int ProjectId() const { return projectId_; }
    int ClassId() const { return classId_; }
    int MemberId() const { return memberId_; }
    // What the fields hold now.
    TMemberEntry Entry() const;

    QLabel* Label1 = nullptr;
    QLineEdit* Edt_MemberName = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* CB_MemberType = nullptr;
    // Beside the type list when it is long (many classes): narrows the list
    // to the types whose name holds the text. Hidden otherwise.
    QLineEdit* Edt_TypeFilter = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edt_MemberLength = nullptr;
    QLabel* Label4 = nullptr;
    // The check box of each entry flag (CB_MemberIsPri, CB_MemberIsMust, ...),
    // in the order of EntryFlagFields().
    std::vector<QCheckBox*> FlagBoxes;
    QCheckBox* FlagBox(const std::string& objectName) const;
    QLabel* Label5 = nullptr;
    QLineEdit* Edt_MemberComment = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    // context: the selected project and class (a new member's), reload
    // shows the member table again; memberId is 0 for a new member.
    TMemberForm(
        const TFormContext& context, const char* objectName, const char* caption, int width, int height, int memberId);
    // The four simple types, then the project's other classes.
    void FillTypeList();
    void FilterTypeList(const QString& text);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs the dialog's command on what the fields hold.
    virtual TCommandResult Store(const TMemberEntry& entry) = 0;

    // What the stored member holds that the dialog does not show (its
    // column, key generator, precision and scale): kept as it is.
    void KeepUnshown(const TMemberEntry& stored) { unshown_ = stored; }

    void SetContext(int projectId, int classId)
    {
        projectId_ = projectId;
        classId_ = classId;
    }

private:
    QGridLayout* grid_ = nullptr; // the fields' grid, inside the scrolling body
    void BuildControls();
    void LayOut();
    void Accept();
    void Message(const QString& text);

    TFormContext context_;
    TMemberEntry unshown_;
    int projectId_;
    int classId_;
    int memberId_;
};
