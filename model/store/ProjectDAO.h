#pragma once
#include "model/store/DbHelper.h"
#include "model/store/IdList.h"
#include "model/store/ProjectDatabase.h"

#include <string>

// The target a project has when none is stored: the legacy frameworks
// (Struts 2.3, Hibernate 3.6). The others are the generators' table's.
inline const char* const kTargetLegacy = "legacy";

// Projects (table t_project).
class TProjectDAO {
public:
    int CountProjectsByName(const std::string& projectName);
    void AddProject(const std::string& projectName);
    void RenameProject(int projectId, const std::string& newName);
    // Removes the project, its classes and their members in one transaction.
    void DeleteProject(int projectId);
    TIdList ListProjects();
    // The package name a project was last generated with; empty when none.
    std::string GetPackageName(int projectId);
    void SetPackageName(int projectId, const std::string& packageName);
    // A target's name; "" for the default (kTargetLegacy).
    std::string GetTarget(int projectId);
    void SetTarget(int projectId, const std::string& target);
    // Whether the window generates the project's pages too.
    bool GetWebapp(int projectId);
    void SetWebapp(int projectId, bool webapp);
    TProjectDatabase GetDatabase(int projectId);
    // Sets all but the kind, which SetDatabaseKind sets ("" for MariaDB/MySQL).
    void SetDatabase(int projectId, const TProjectDatabase& database);
    void SetDatabaseKind(int projectId, const std::string& kind);
    // Projects with that name other than the given one.
    int CountOtherProjectsByName(int projectId, const std::string& projectName);

private:
    TDbHelper db_;
};
