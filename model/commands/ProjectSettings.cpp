#include "ProjectSettings.h"

#include "ProjectDAO.h"

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
    if (projects.GetTarget(projectId) == kTargetCurrent)
        settings.target = kTargetCurrent;
    return settings;
}

std::string TargetCaption(const std::string& target)
{
    if (target == kTargetLegacy)
        return "Struts 2.3 + Hibernate 3.6";
    if (target == kTargetCurrent)
        return "Struts 7 + Hibernate 7 (Jakarta EE 10)";
    return "";
}
