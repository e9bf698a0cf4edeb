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
    return settings;
}
