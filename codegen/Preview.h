#pragma once
#include "AutoCode.h"
#include "ModelCheckReport.h"
#include "OutputSink.h"

#include <optional>
#include <string>
#include <vector>

// The four files a run writes for one class (mapping file, domain, DAO and
// Action class), made by the same checks, snapshot and generators as a run,
// kept in memory: nothing is written.
struct TClassPreview {
    std::vector<TOutputFile> files; // mapping, domain, DAO, Action
};

// Which of the four files: "mapping", "domain", "dao", "action".
extern const char* const kPreviewKinds[4];

// The preview of the class className of the project, or nothing when a
// check refuses the model (the primary and display checks report through
// report, the others leave their message in refusal; a class the project
// does not have is refused the same way). Throws on a database error.
std::optional<TClassPreview> PreviewClass(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, const std::string& className, IModelCheckReport& report, std::string& refusal);

// The text of a generated file as UTF-8: a byte-order mark is dropped, GBK
// is converted.
std::string PreviewText(const TOutputFile& file);
