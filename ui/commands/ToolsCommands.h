#pragma once
#include "model/import/DbSchema.h"

class IWorkbench;

// The commands of "工具(&T)" besides the merging generation: the preview,
// the generated folder, and the model in and out of the window (model
// files and the database import).
class TToolsCommands {
public:
    explicit TToolsCommands(IWorkbench& window)
        : window_(window)
    {
    }

    void PreviewCode();
    void OpenOutputFolder();
    void ExportModelFile();
    void ImportModelFile();
    void ImportFromDatabase();

private:
    IWorkbench& window_;
    // The last import's server, port, user and database (no password).
    TDbConnection lastDbConnection_;
};
