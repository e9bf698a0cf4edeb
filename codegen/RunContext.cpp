#include "RunContext.h"

#include "DbHelper.h"
#include "FileOperate.h"
#include "TextEscape.h"

std::string TRunContext::ReadTemplate(const std::string& relative) const
{
    return TFileOperate::ReadText(TemplatePath(relative));
}

std::string TRunContext::SubstitutePackage(const std::string& text) const
{
    return ReplaceAll(ReplaceAll(text, "$packageName", packageName), "$packagePath", paths.PackagePath());
}

void WriteClassFiles(const TRunContext& run, const TIdList& classes, const std::string& kind, const std::string& suffix,
    const std::function<std::string(const TIdEntry&)>& build)
{
    for (const auto& entry : classes) {
        std::string text;
        {
            TReadScope reads;
            text = build(entry);
        }
        std::string fileName = entry.text + suffix + ".java";
        TFileOperate::WriteText(run.paths.KindDir(kind), run.paths.KindFile(kind, fileName), text);
        run.listener.Progress(run.paths.DisplayKind(kind, fileName) + "生成完毕!");
    }
}
