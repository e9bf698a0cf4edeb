#pragma once

class IWorkbench;

// The commands of "代码管理(&A)" and the merging generation of "工具(&T)":
// the package name and the generation runs, which the run controller
// starts and follows.
class TCodeCommands {
public:
    explicit TCodeCommands(IWorkbench& window)
        : window_(window)
    {
    }

    void SetPackageName();
    void GenerateCode();
    void MergeGenerate();

private:
    // No run going and a project selected (else says so): a run may start.
    bool ReadyToRun();

    IWorkbench& window_;
};
