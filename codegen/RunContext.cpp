#include "RunContext.h"

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
