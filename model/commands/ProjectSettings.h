#pragma once
#include "model/store/ProjectDAO.h"

#include <string>

// What is stored per project besides its classes, read the same way by the
// window and the CLI: the package (the default when none is stored) and
// whether the pages are generated.
inline const char* const kDefaultPackageName = "velmorantis";

struct TProjectSettings {
    std::string packageName = kDefaultPackageName;
    bool packageStored = false; // false: the default, nothing stored
    bool webapp = false;
    std::string target = kTargetLegacy;
    std::string databaseKind = "mysql"; // a name of DatabaseKinds()
};

// How a target is shown: "Struts 2.3 + Hibernate 3.6" ...; empty for a name
// that is none.
std::string TargetCaption(const std::string& target);

TProjectSettings ReadProjectSettings(int projectId);
