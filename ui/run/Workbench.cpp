#include "ui/run/Workbench.h"

#include "ui/dialogs/UiText.h"

#include <filesystem>

void Message(IWorkbench& workbench, const QString& text)
{
    ShowPlainMessage(workbench.Dialogs(), workbench.Owner(), text);
}

TFormContext FormContext(IWorkbench& workbench, std::function<void()> reload)
{
    IModelLists& lists = workbench.Lists();
    return { workbench.Owner(), &workbench.Dialogs(), lists.SelectedProjectId(), lists.SelectedClassId(),
        std::move(reload) };
}

std::string GeneratedRoot(const IWorkbench& workbench)
{
    std::string root = workbench.RunLocations().rootDir;
    return root.empty() ? ProgramDirectory() : root;
}

QString OutputFolder(IWorkbench& workbench)
{
    std::string root = GeneratedRoot(workbench);
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(root, ec);
    QString folder = Text((ec ? std::filesystem::path(root) : absolute).lexically_normal().string());
    if (folder.endsWith('/'))
        folder.chop(1);
    return folder + Text("/projects/") + workbench.Lists().SelectedProjectName();
}
