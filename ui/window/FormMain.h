#pragma once
#include "codegen/run/AutoCode.h"
#include "model/commands/ProjectSettings.h"
#include "ui/commands/CodeCommands.h"
#include "ui/commands/ProjectCommands.h"
#include "ui/commands/ToolsCommands.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/FormContext.h"
#include "ui/run/Workbench.h"
#include "ui/run/WorkbenchState.h"
#include "ui/window/ModelLists.h"

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
// (TProjectCommands, TCodeCommands, TToolsCommands) that see the window as
// an IWorkbench, the lists are TModelLists, the runs are TRunController's,
// and what is shown without widgets is TWorkbenchState. Controls are reached
// by their object names.
class TFormMain : public QMainWindow, private IWorkbench {
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
    // How a folder is shown to the user; the default asks the desktop's
    // file manager. failed runs when nothing could open the folder.
    using TFolderOpener = std::function<void(const QString& folder, std::function<void()> failed)>;
    void SetFolderOpener(TFolderOpener opener) { folderOpener_ = std::move(opener); }

    // The window as its commands see it.
    IWorkbench& Workbench() { return *this; }
    TModelLists& Lists() override { return *lists_; }
    const std::string& PackageName() const { return state_.PackageName(); }
    // The class the last run's failed check named.
    int ErrorClassId() const;

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
    // IWorkbench
    QWidget* Owner() override { return this; }
    IDialogs& Dialogs() override { return *dialogs_; }
    void RunDialog(QDialog& dialog) override;
    void Guarded(const std::function<void()>& command) override;
    void ReturnFocus(QWidget* to) override;
    TWorkbenchState& State() override { return state_; }
    TRunController& Runs() override { return *runs_; }
    TRunLocations RunLocations() const override;
    void RefreshStatus() override;
    void ShowNotice(const QString& text, int timeoutMs) override;
    void ClearRunOutput(bool memo) override;
    void OpenFolder(const QString& folder, std::function<void()> failed) override
    {
        folderOpener_(folder, std::move(failed));
    }

    // Reads the projects, classes and members again (F5), keeping the
    // selected project and class where they still exist.
    void ReloadModel();
    void FitToScreen();
    void ShowAbout();
    void RefreshTemplateWarning();
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
    void RememberDatabaseKind(const std::string& kind);
    void ShowDatabaseKind();

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
    QActionGroup* Group_Database = nullptr;
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
    std::string modelStamp_; // the model file as the window last read or wrote it
    // The shown project and its settings, without widgets.
    TWorkbenchState state_;
    TRunController* runs_ = nullptr;
    std::unique_ptr<TModelLists> lists_;
    TFolderOpener folderOpener_;
    TProjectCommands projectCommands_ { Workbench() };
    TCodeCommands codeCommands_ { Workbench() };
    TToolsCommands toolsCommands_ { Workbench() };
    // Set while the program sets the page check box, so that only the
    // user's own change is stored.
    bool filling_ = false;
};
