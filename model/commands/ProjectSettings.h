#pragma once
#include <string>

// What is stored per project besides its classes, read the same way by the
// window and the CLI: the package (the default when none is stored) and
// whether the pages are generated.
inline const char* const kDefaultPackageName = "velmorantis";

// The frameworks the generated code runs on: the legacy ones (Struts 2.3,
// Hibernate 3.6, the default) or the current ones (Struts 7, Hibernate 7,
// Jakarta EE 10), by the names the CLI and the model file use.
inline const char* const kTargetLegacy = "legacy";
inline const char* const kTargetCurrent = "current";

struct TProjectSettings {
    std::string packageName = kDefaultPackageName;
    bool packageStored = false; // false: the default, nothing stored
    bool webapp = false;
    std::string target = kTargetLegacy;
};

// How a target is shown: "Struts 2.3 + Hibernate 3.6" ...; empty for a name
// that is none.
std::string TargetCaption(const std::string& target);

TProjectSettings ReadProjectSettings(int projectId);
