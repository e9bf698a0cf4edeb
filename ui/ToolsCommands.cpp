#include "ToolsCommands.h"
#include "FormMain.h"

#include "PreviewForm.h"
#include "UiText.h"

#include "Preview.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

void TToolsCommands::PreviewCode()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        int classId = w.SelectedClassId();
        QString className = w.SelectedClassText();
        if (classId < 0 || className.isEmpty())
            return w.Message(Text("没有类被选中!"));
        std::optional<TClassPreview> preview;
        TCheckResult check = PreviewClass(w.SelectedProjectId(), w.SelectedProjectName().toStdString(),
            w.State().PackageName(), w.RunLocations(), className.toStdString(), preview);
        if (!check.Passed()) {
            // The class to mend, which may be one this class reaches.
            if (check.classId > 0)
                w.SelectClass(check.classId);
            return w.Message(Text(check.message));
        }
        TPreviewForm form(&w, className, *preview);
        w.RunDialog(form);
    });
}

void TToolsCommands::OpenOutputFolder()
{
    TFormMain& w = window_;
    w.Guarded([&w] {
        if (w.SelectedProjectId() < 0)
            return w.Message(Text("没有一个工程被选中！"));
        QString folder = w.OutputFolder();
        if (!QFileInfo(folder).isDir())
            return w.Message(Text("生成目录还不存在，生成代码后才会有:\n") + folder);
        w.OpenFolder(folder, [&w, folder] {
            // Nothing opened it: the path is there to paste into a terminal.
            QGuiApplication::clipboard()->setText(folder);
            w.Message(Text("无法打开生成目录(没有可以打开它的文件管理器)，目录位置已复制到剪贴板:\n") + folder);
        });
    });
}
