#include "codegen/core/Generator.h"

#include "codegen/core/Target.h"

#include <algorithm>
#include <set>
#include <stdexcept>

const std::vector<const IGenerator*>& Generators(const std::string& target)
{
    const TTargetInfo* info = FindTargetInfo(target);
    if (!info)
        throw std::logic_error("unknown target " + target); // the run refuses it first
    return info->generators();
}

std::vector<const IGenerator*> PreviewGenerators(const TGenInput& in)
{
    std::vector<const IGenerator*> shown;
    for (const IGenerator* generator : Generators(in.target))
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
    for (const IGenerator* generator : Generators(in.target))
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
    for (const TTargetInfo& target : TargetTable())
        for (const IGenerator* generator : target.generators())
            for (const auto& use : generator->TemplatesUsed())
                if (seen.insert(use.path).second)
                    uses.push_back(use);
    return uses;
}
