#include "codegen/core/Generator.h"

#include "codegen/text/TextEscape.h"

std::string TGenInput::SubstitutePackage(const std::string& text) const
{
    return ReplaceAll(ReplaceAll(text, "$packageName", packageName), "$packagePath", packagePath);
}
