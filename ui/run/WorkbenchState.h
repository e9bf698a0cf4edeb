#pragma once
#include "model/commands/ModelCommands.h"
#include "model/commands/ProjectSettings.h"
#include "model/rules/EntryRules.h"

#include <string>

// What the window knows of the project it shows, without any widget: the
// project, its package and whether its pages are made, read and stored
// through the layers the CLI uses too. No Qt here.
class TWorkbenchState {
public:
    // The project shown: its stored settings, the default package when it
    // has none (never the package of the project shown before). -1: none.
    void ShowProject(int projectId);
    int ProjectId() const { return projectId_; }

    const std::string& PackageName() const { return packageName_; }
    // The package for the shown project's runs, kept for it when accepted.
    TVerdict SetPackageName(const std::string& name);
    // Before a run: the package in use is the one the project keeps.
    void KeepPackage() const;

    bool Webapp() const { return webapp_; }
    // Whether the shown project's runs make the pages; stored for it.
    TCommandResult SetWebapp(bool webapp);

    // The frameworks the shown project's code is for (a target's name);
    // stored for it.
    const std::string& Target() const { return target_; }
    TCommandResult SetTarget(const std::string& target);

    // The kind of database the shown project's application uses ("mysql",
    // "postgresql"); stored for it.
    const std::string& DatabaseKind() const { return databaseKind_; }
    TCommandResult SetDatabaseKind(const std::string& kind);

private:
    int projectId_ = -1;
    std::string packageName_ = kDefaultPackageName;
    bool webapp_ = false;
    std::string target_ = kTargetLegacy;
    std::string databaseKind_ = "mysql";
};
