#pragma once
#include <string>

// What is stored per project besides its classes, read the same way by the
// window and the CLI: the package (the default when none is stored) and
// whether the pages are generated.
inline const char* const kDefaultPackageName = "velmorantis";

struct TProjectSettings {
    std::string packageName = kDefaultPackageName;
    bool packageStored = false; // false: the default, nothing stored
    bool webapp = false;
};

TProjectSettings ReadProjectSettings(int projectId);
