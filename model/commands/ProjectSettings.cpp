#include "model/commands/ProjectSettings.h"

#include "model/rules/TargetFacts.h"
#include "model/store/DatabaseKind.h"
#include "model/store/ProjectDAO.h"

TProjectSettings ReadProjectSettings(int projectId)
{
    TProjectSettings settings;
    TProjectDAO projects;
    std::string stored = projects.GetPackageName(projectId);
    if (!stored.empty()) {
        settings.packageName = stored;
        settings.packageStored = true;
    }
    settings.webapp = projects.GetWebapp(projectId);
    // A name this program does not know is kept, so that the run refuses it
    // instead of generating for another target.
    if (std::string target = projects.GetTarget(projectId); !target.empty())
        settings.target = target;
    settings.databaseKind = DatabaseKindName(projects.GetDatabase(projectId).kind);
    return settings;
}

std::string TargetCaption(const std::string& target)
{
    const TTargetFacts* facts = FindTarget(target);
    return facts ? facts->caption : "";
}
