#pragma once
#include "codegen/run/AutoCode.h"
#include "model/commands/ModelChecks.h"

#include <optional>
#include <string>
#include <vector>

// One file of a preview: where a run would write it and its text as UTF-8.
struct TPreviewFile {
    std::string kind; // the generator's name: "mapping", "domain", "dao", "action", ...
    std::string displayPath; // "projects/<project>/src/..."
    std::string name;
    std::string text;
};

// The files a run writes for one class (mapping file, domain, DAO and Action
// class, ...), made by the same checks and generators as a run, for that
// class alone, kept in memory: nothing is written.
struct TClassPreview {
    std::vector<TPreviewFile> files;
};

// The kinds a preview shows, in its order: what `preview --file` takes.
std::vector<std::string> PreviewKinds(bool webapp = false);

// The preview of the class className of the project, or the first fault
// the run's checks find (a class the project does not have is refused the
// same way). Throws on a database error.
TCheckResult PreviewClass(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, const std::string& className, std::optional<TClassPreview>& preview);
