#include "Generator.h"

#include "TextEscape.h"

std::string TGenInput::SubstitutePackage(const std::string& text) const
{
    return ReplaceAll(ReplaceAll(text, "$packageName", packageName), "$packagePath", packagePath);
}
