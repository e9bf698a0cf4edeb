#include "Generator.h"

#include "ActionOperate.h"
#include "AdminTableScript.h"
#include "ColumnTypes.h"
#include "ConfigWriter.h"
#include "DaoOperate.h"
#include "DomainOperate.h"
#include "SupportFiles.h"
#include "TextEscape.h"
#include "WebPages.h"

#include <algorithm>
#include <set>

std::string TGenInput::SubstitutePackage(const std::string& text) const
{
    return ReplaceAll(ReplaceAll(text, "$packageName", packageName), "$packagePath", packagePath);
}

const std::vector<const IGenerator*>& Generators()
{
    static const std::vector<const IGenerator*> list = {
        &StrutsConfigGenerator(),
        &HibernateConfigGenerator(),
        &MappingFileGenerator(),
        &SupportFileGenerator(),
        &DomainClassGenerator(),
        &ActionClassGenerator(),
        &DaoClassGenerator(),
        &DateTextTypeGenerator(),
        &OptionalTextTypeGenerator(),
        &AdminTableScriptGenerator(),
        &WebAppGenerator(),
        &ValidationGenerator(),
    };
    return list;
}

std::vector<const IGenerator*> PreviewGenerators(const TGenInput& in)
{
    std::vector<const IGenerator*> shown;
    for (const IGenerator* generator : Generators())
        if (generator->PreviewRank() > 0 && generator->Enabled(in))
            shown.push_back(generator);
    std::stable_sort(shown.begin(), shown.end(),
        [](const IGenerator* a, const IGenerator* b) { return a->PreviewRank() < b->PreviewRank(); });
    return shown;
}

std::vector<TTemplateUse> TemplatesUsed(const TGenInput& in)
{
    std::vector<TTemplateUse> uses;
    std::set<std::string> seen;
    for (const IGenerator* generator : Generators())
        if (generator->Enabled(in))
            for (const auto& use : generator->TemplatesUsed())
                if (seen.insert(use.path).second)
                    uses.push_back(use);
    return uses;
}

std::vector<TTemplateUse> AllTemplatesUsed()
{
    std::vector<TTemplateUse> uses;
    std::set<std::string> seen;
    for (const IGenerator* generator : Generators())
        for (const auto& use : generator->TemplatesUsed())
            if (seen.insert(use.path).second)
                uses.push_back(use);
    return uses;
}
