#include "ui/run/WorkbenchState.h"

void TWorkbenchState::ShowProject(int projectId)
{
    projectId_ = projectId;
    if (projectId < 0)
        return;
    TProjectSettings settings = ReadProjectSettings(projectId);
    packageName_ = settings.packageName;
    webapp_ = settings.webapp;
    target_ = settings.target;
    databaseKind_ = settings.databaseKind;
}

TVerdict TWorkbenchState::SetPackageName(const std::string& name)
{
    TVerdict verdict = CheckPackageName(name);
    if (!verdict.Accepted())
        return verdict;
    packageName_ = name;
    // Remembered for the project, so that a later merge (after a restart
    // too) uses the package the tree was generated with.
    KeepPackage();
    return verdict;
}

void TWorkbenchState::KeepPackage() const
{
    if (projectId_ >= 0)
        TModelCommands::SetProjectPackage(projectId_, packageName_);
}

TCommandResult TWorkbenchState::SetTarget(const std::string& target)
{
    if (projectId_ < 0)
        return { TRefusal::None, "", 0 };
    TCommandResult result = TModelCommands::SetProjectTarget(projectId_, target);
    if (result.Done())
        target_ = target;
    return result;
}

TCommandResult TWorkbenchState::SetDatabaseKind(const std::string& kind)
{
    if (projectId_ < 0)
        return { TRefusal::None, "", 0 };
    TCommandResult result = TModelCommands::SetProjectDatabaseKind(projectId_, kind);
    if (result.Done())
        databaseKind_ = kind;
    return result;
}

TCommandResult TWorkbenchState::SetWebapp(bool webapp)
{
    webapp_ = webapp;
    if (projectId_ < 0)
        return { TRefusal::None, "", 0 };
    return TModelCommands::SetProjectWebapp(projectId_, webapp);
}
