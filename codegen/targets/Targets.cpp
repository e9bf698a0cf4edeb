// The target table: one row per target.
#include "codegen/core/Target.h"

#include "codegen/targets/current/CurrentTarget.h"
#include "codegen/targets/legacy/LegacyTarget.h"

const std::vector<TTargetInfo>& TargetTable()
{
    static const std::vector<TTargetInfo> table = {
        { { kTargetLegacy, "Struts 2.3 + Hibernate 3.6", "Struts 2 + Hibernate 3", "Struts 2.3 + Hibernate 3.6，默认",
              false },
            LegacyGenerators, "" },
        { { "current", "Struts 7 + Hibernate 7 (Jakarta EE 10)", "Struts 7 + Hibernate 7",
              "Struts 7 + Hibernate 7，Jakarta EE 10", true },
            CurrentGenerators, "current/" },
    };
    return table;
}

namespace {

std::vector<TTargetFacts> Facts()
{
    std::vector<TTargetFacts> facts;
    for (const TTargetInfo& info : TargetTable())
        facts.push_back(info.facts);
    return facts;
}

} // namespace

const TTargetInfo* FindTargetInfo(const std::string& name)
{
    for (const TTargetInfo& info : TargetTable())
        if (info.facts.name == name)
            return &info;
    return nullptr;
}

std::vector<TTemplateFolder> TemplateFolders()
{
    std::vector<TTemplateFolder> folders;
    for (const TTargetInfo& info : TargetTable())
        folders.push_back({ info.templateFolder, info.facts.name });
    return folders;
}

void InstallTargets()
{
    // Once: the facts never change while a program runs.
    static const bool installed = (SetKnownTargets(Facts()), true);
    (void)installed;
}
