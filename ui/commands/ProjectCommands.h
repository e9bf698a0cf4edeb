#pragma once

class IWorkbench;

// The commands of "项目操作(&P)": projects, classes and members. They ask
// through the window's dialogs, change the model through the command layer
// and bring the window's lists up to date.
class TProjectCommands {
public:
    explicit TProjectCommands(IWorkbench& window)
        : window_(window)
    {
    }

    void NewProject();
    void RenameProject();
    void DeleteProject();
    void AddClass();
    void ChangeClass();
    void DeleteClass();
    void AddMember();
    void ChangeMember();
    void DeleteMember();

private:
    IWorkbench& window_;
};
