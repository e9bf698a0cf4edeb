#pragma once
#include "AutoCode.h"
#include "CodeCommands.h"
#include "Dialogs.h"
#include "FormContext.h"
#include "ProjectCommands.h"
#include "ProjectSettings.h"
#include "ToolsCommands.h"
#include "WorkbenchState.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTableWidget;
class QTimer;
class TRunController;

// The workbench: banner, project selector, class list, member table and the
// progress box of generation runs, with the menus. The window lays out and
// wires; the commands of each menu are objects of their own
// (TProjectCommands, TCodeCommands, TToolsCommands) that use the public
// operations below, the runs are TRunController's, and what is shown
// without widgets is TWorkbenchState. Controls are reached by their
// object names.
class TFormMain : public QMainWindow {
    Q_OBJECT

public:
    // Shows its boxes through dialogs (the window keeps no ownership); the
    // default shows them with QMessageBox and QInputDialog.
    explicit TFormMain(IDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TFormMain() override;

    // How the modal class and member dialogs are run; the default is exec().
    using TDialogRunner = std::function<void(QDialog&)>;
    void SetDialogRunner(TDialogRunner runner);
    // Where generation runs read templates and write their tree.
    void SetRunLocations(const TRunLocations& locations);
    // The locations with what the selected project asks for (its pages).
    TRunLocations RunLocations() const
    {
        TRunLocations locations = runLocations_;
        locations.webapp = state_.Webapp();
        locations.target = state_.Target();
        return locations;
    }

    IDialogs& Dialogs() { return *dialogs_; }
    // What a dialog opened now needs of the window.
    TFormContext FormContext(std::function<void()> reload);
    void RunDialog(QDialog& dialog);

    // The three refresh operations every command reuses.
    void ReloadProjects();
    void ReloadClasses(int projectId);
    void ClearMembers();
    // Hides the classes whose class and friendly name do not contain the text.
    void FilterClasses(const QString& text);
    // Makes the class with this id the selected one, when the list shows it.
    void SelectClass(int classId);
    void FitToScreen();
    void ReloadMembers(int classId);
    // The members of the selected class, when a class is selected.
    void ReloadSelectedMembers();
    // Selects the project in the selector and shows its classes.
    void SelectProject(int projectId);
    // Reads the projects, classes and members again (F5), keeping the
    // selected project and class where they still exist.
    void ReloadModel();

    // The current selection; -1 when nothing is selected.
    int SelectedProjectId() const;
    QString SelectedProjectName() const;
    int SelectedClassId() const;
    int SelectedMemberId() const;
    // The change-class dialog renames the selected entry of the class list.
    void SetSelectedClassText(const QString& className);

    const std::string& PackageName() const { return state_.PackageName(); }
    int RememberedProjectIndex() const { return rememberedProjectIndex_; }
    // The class the last run's failed check named.
    int ErrorClassId() const;

    // The selected class's and member's names as the lists show them.
    QString SelectedClassText() const;
    QString SelectedMemberName() const;
    // Takes the selected class out of the list and its members out of the
    // table; no other class becomes the selected one.
    void RemoveSelectedClass();
    // Shows the project of this name (after it was made), else leaves the
    // selection as it is.
    void ShowProjectNamed(const QString& name);
    // Which project the next reload of the list selects: the one at the
    // current index, or (forget) the first.
    void RememberProjectIndex(bool forget);

    TWorkbenchState& State() { return state_; }
    TRunController& Runs() { return *runs_; }
    // Empties the progress box (when memo) and the written-files line.
    void ClearRunOutput(bool memo);
    // Where generated trees go: the run root, else the program's folder.
    std::string GeneratedRoot() const;
    // Runs a command or a step of one, showing any error that escapes it.
    void Guarded(const std::function<void()>& command);
    void Message(const QString& text);

    // Where the selected project's generated tree goes (absolute), and the
    // status bar and class line brought up to date.
    QString OutputFolder() const;
    void RefreshStatus();
    void RefreshTemplateWarning();
    // How a folder is shown to the user; the default asks the desktop's
    // file manager. failed runs when nothing could open the folder.
    using TFolderOpener = std::function<void(const QString& folder, std::function<void()> failed)>;
    void SetFolderOpener(TFolderOpener opener) { folderOpener_ = std::move(opener); }
    void OpenFolder(const QString& folder, std::function<void()> failed) { folderOpener_(folder, std::move(failed)); }
    void ShowAbout();
    // Activates the window and gives the keyboard to the widget (when it is
    // still there) or to the class list: after a box closes, without a
    // window manager nothing else does.
    void ReturnFocus(QWidget* to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Coming back to the window (after making template/ in a file manager,
    // say) shows the template warning as it now is.
    // It also reads the model again when the model file changed meanwhile
    // (javagen-cli, another window), keeping the selection.
    void changeEvent(QEvent* event) override;
    // Keeps what is still to be saved (the member column widths).
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    // The scrolling client area with the banner; its layout takes the rest.
    QWidget* BuildClientArea();
    QWidget* BuildClassSide();
    QWidget* BuildProgressBox();
    // What a change of the project or class selection does.
    void ConnectLists();
    void BuildMemberTable();
    void KeepMemberColumnWidths();
    void SaveMemberColumnWidths();
    void BuildMenu();
    void BuildStatusBar();
    // F2, Enter, Delete and Insert in the class list and the member table.
    bool HandleKey(QObject* watched, int key);
    QAction* AddCommand(QMenu* menu, const char* objectName, const char* caption, std::function<void()> command);
    // What the window remembers of the selected project: its package name
    // (when it has one) and whether its pages are made.
    void LoadProjectSettings();
    void RememberWebapp(bool webapp);
    // The target menu item checked: the shown project's code is for the
    // current frameworks (stored for it).
    void RememberTarget(const std::string& target);
    void ShowTarget();

    QLabel* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CB_Project = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* LB_Object = nullptr;
    QLineEdit* Edt_ClassFilter = nullptr;
    QTableWidget* LV_Member = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QPlainTextEdit* Memo_State = nullptr;
    QCheckBox* CB_WebApp = nullptr;
    QMenu* Menu_Project = nullptr;
    QMenu* Menu_Code = nullptr;
    QMenu* Menu_Tools = nullptr;
    QAction* Act_Generate = nullptr;
    QAction* Act_MergeGenerate = nullptr;
    QActionGroup* Group_Target = nullptr;
    QLabel* Lbl_CurrentClass = nullptr;
    QLabel* Lbl_ModelFile = nullptr;
    QLabel* Lbl_Package = nullptr;
    QLabel* Lbl_Target = nullptr;
    QLabel* Lbl_Output = nullptr;
    QLabel* Lbl_Written = nullptr;
    QLabel* Lbl_TemplateWarning = nullptr;
    QTimer* widthSaver_ = nullptr; // saves the member column widths once a drag stops

    std::unique_ptr<IDialogs> ownDialogs_;
    IDialogs* dialogs_;
    QString bannerFrameworks_ = QStringLiteral("Struts 2 + Hibernate 3"); // what the banner shows
    TDialogRunner dialogRunner_;
    TRunLocations runLocations_;
    // The model database could not be opened at start (a newer or foreign
    // file): said in the status bar and the progress box, not only once.
    bool modelRefused_ = false;
    int rememberedProjectIndex_ = -1;
    std::string modelStamp_; // the model file as the window last read or wrote it
    // The shown project and its settings, without widgets.
    TWorkbenchState state_;
    TRunController* runs_ = nullptr;
    TFolderOpener folderOpener_;
    TProjectCommands projectCommands_ { *this };
    TCodeCommands codeCommands_ { *this };
    TToolsCommands toolsCommands_ { *this };
    // Set while the lists are filled or changed by the program, so that only
    // the user's own selection changes load members.
    bool filling_ = false;
};
