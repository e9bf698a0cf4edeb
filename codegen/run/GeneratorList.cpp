#include "Generator.h"

#include "CurrentTarget.h"
#include "LegacyTarget.h"

#include <algorithm>
#include <set>

// Each target is a folder under targets/ and a choice here.
const std::vector<const IGenerator*>& Generators(TTarget target)
{
    return target == TTarget::Current ? CurrentGenerators() : LegacyGenerators();
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
    for (TTarget target : { TTarget::Legacy, TTarget::Current })
        for (const IGenerator* generator : Generators(target))
            for (const auto& use : generator->TemplatesUsed())
                if (seen.insert(use.path).second)
                    uses.push_back(use);
    return uses;
}
