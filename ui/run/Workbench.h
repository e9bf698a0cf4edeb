#pragma once
#include "codegen/run/AutoCode.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/FormContext.h"
#include "ui/run/WorkbenchState.h"

#include <QString>

#include <functional>
#include <string>

class QDialog;
class QWidget;
class TRunController;

// The project selector, the class list and the member table, as the
// commands see them: what is selected, and the reads that bring them up to
// date after a change. -1 (or empty): nothing selected.
class IModelLists {
public:
    virtual ~IModelLists() = default;

    virtual int SelectedProjectId() const = 0;
    virtual QString SelectedProjectName() const = 0;
    virtual int SelectedClassId() const = 0;
    virtual QString SelectedClassText() const = 0;
    virtual int SelectedMemberId() const = 0;
    virtual QString SelectedMemberName() const = 0;

    virtual void ReloadProjects() = 0;
    virtual void ReloadClasses(int projectId) = 0;
    virtual void ReloadMembers(int classId) = 0;
    // The members of the selected class, when a class is selected.
    virtual void ReloadSelectedMembers() = 0;
    // Selects the project in the selector and shows its classes.
    virtual void SelectProject(int projectId) = 0;
    // Makes the class with this id the selected one, when the list shows it.
    virtual void SelectClass(int classId) = 0;
    // Shows the project of this name (after it was made), else leaves the
    // selection as it is.
    virtual void ShowProjectNamed(const QString& name) = 0;
    // Which project the next reload of the list selects: the one at the
    // current index, or (forget) the first.
    virtual void RememberProjectIndex(bool forget) = 0;
    // Takes the selected class out of the list and its members out of the
    // table; no other class becomes the selected one.
    virtual void RemoveSelectedClass() = 0;
    // The change-class dialog renames the selected entry of the class list.
    virtual void SetSelectedClassText(const QString& className) = 0;
};

// The window as its menu commands and its runs see it.
class IWorkbench {
public:
    virtual ~IWorkbench() = default;

    // The parent of every box the commands show.
    virtual QWidget* Owner() = 0;
    virtual IDialogs& Dialogs() = 0;
    // Runs a modal class or member dialog.
    virtual void RunDialog(QDialog& dialog) = 0;
    // Runs a command or a step of one, showing any error that escapes it;
    // the keyboard goes back where it was.
    virtual void Guarded(const std::function<void()>& command) = 0;
    // Activates the window and gives the keyboard to the widget (when it is
    // still there) or to the class list: after a box closes, without a
    // window manager nothing else does.
    virtual void ReturnFocus(QWidget* to) = 0;
    virtual IModelLists& Lists() = 0;
    // The shown project and its settings.
    virtual TWorkbenchState& State() = 0;
    virtual TRunController& Runs() = 0;
    // Where runs read templates and write their tree, with what the shown
    // project asks for (its pages, its target).
    virtual TRunLocations RunLocations() const = 0;
    // The status bar and class line brought up to date.
    virtual void RefreshStatus() = 0;
    // A notice in the status bar until the next one or for timeoutMs
    // (empty: none).
    virtual void ShowNotice(const QString& text, int timeoutMs = 0) = 0;
    // Empties the progress box (when memo) and the written-files line.
    virtual void ClearRunOutput(bool memo) = 0;
    // Shows a folder to the user; failed runs when nothing could open it.
    virtual void OpenFolder(const QString& folder, std::function<void()> failed) = 0;
};

// Shown in a plain box over the window.
void Message(IWorkbench& workbench, const QString& text);
// What a class or member dialog opened now needs of the window.
TFormContext FormContext(IWorkbench& workbench, std::function<void()> reload);
// Where generated trees go: the run root, else the program's folder.
std::string GeneratedRoot(const IWorkbench& workbench);
// Where the selected project's generated tree goes (absolute).
QString OutputFolder(IWorkbench& workbench);
