#include "ui/commands/ToolsCommands.h"
#include "ui/run/Workbench.h"

#include "ui/dialogs/PreviewForm.h"
#include "ui/dialogs/UiText.h"

#include "codegen/run/Preview.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

void TToolsCommands::PreviewCode()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        int classId = w.Lists().SelectedClassId();
        QString className = w.Lists().SelectedClassText();
        if (classId < 0 || className.isEmpty())
            return Message(w, Text("没有类被选中!"));
        std::optional<TClassPreview> preview;
        TCheckResult check = PreviewClass(w.Lists().SelectedProjectId(), w.Lists().SelectedProjectName().toStdString(),
            w.State().PackageName(), w.RunLocations(), className.toStdString(), preview);
        if (!check.Passed()) {
            // The class to mend, which may be one this class reaches.
            if (check.classId > 0)
                w.Lists().SelectClass(check.classId);
            return Message(w, Text(check.message));
        }
        TPreviewForm form(w.Owner(), className, *preview);
        w.RunDialog(form);
    });
}

void TToolsCommands::OpenOutputFolder()
{
    IWorkbench& w = window_;
    w.Guarded([&w] {
        if (w.Lists().SelectedProjectId() < 0)
            return Message(w, Text("没有一个工程被选中！"));
        QString folder = OutputFolder(w);
        if (!QFileInfo(folder).isDir())
            return Message(w, Text("生成目录还不存在，生成代码后才会有:\n") + folder);
        w.OpenFolder(folder, [&w, folder] {
            // Nothing opened it: the path is there to paste into a terminal.
            QGuiApplication::clipboard()->setText(folder);
            Message(w, Text("无法打开生成目录(没有可以打开它的文件管理器)，目录位置已复制到剪贴板:\n") + folder);
        });
    });
}
