// "预览代码(&V)" and "打开生成目录(&O)" of "工具(&T)".
#include "FormMain.h"

#include "PreviewForm.h"
#include "RunController.h"
#include "UiText.h"

#include "Preview.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>

void TFormMain::PreviewCode()
{
    Guarded([this] {
        int classId = SelectedClassId();
        if (classId < 0 || !LB_Object->currentItem())
            return Message(Text("没有类被选中!"));
        QString className = LB_Object->currentItem()->text();
        std::optional<TClassPreview> preview;
        TCheckResult check = PreviewClass(SelectedProjectId(), SelectedProjectName().toStdString(),
            state_.PackageName(), RunLocations(), className.toStdString(), preview);
        if (!check.Passed())
            return Message(Text(check.message));
        TPreviewForm form(this, className, *preview);
        RunDialog(form);
    });
}

void TFormMain::OpenOutputFolder()
{
    Guarded([this] {
        if (SelectedProjectId() < 0)
            return Message(Text("没有一个工程被选中！"));
        QString folder = OutputFolder();
        if (!QFileInfo(folder).isDir())
            return Message(Text("生成目录还不存在，生成代码后才会有:\n") + folder);
        folderOpener_(folder, [this, folder] {
            // Nothing opened it: the path is there to paste into a terminal.
            QGuiApplication::clipboard()->setText(folder);
            Message(Text("无法打开生成目录(没有可以打开它的文件管理器)，目录位置已复制到剪贴板:\n") + folder);
        });
    });
}
