#pragma once
#include "ClassData.h"
#include "GenerationListener.h"
#include "IdList.h"
#include "ModelSnapshot.h"
#include "OutputPaths.h"
#include "RunContext.h"
#include "Templates.h"

#include <optional>
#include <string>
#include <vector>

// What a run does with the files it generates.
enum class TRunKind {
    Plain, // writes every file, as the generate command always has
    Merge, // keeps the user's edits: see TMergeSink
    MergeDryRun, // reports what Merge would do, writes nothing
};

// Where a run reads its templates and writes its tree.
struct TRunLocations {
    std::string templateDir = "template"; // read relative to the current directory
    std::string rootDir; // output goes to rootDir/projects/<project>; empty: program directory
};

// One generation run. Start() launches Execute on a worker thread of its
// own; the thread owns the run and frees it when Execute returns, so the
// creator never waits for it or keeps a reference.
class TAutoCode {
public:
    TAutoCode(int projectId, std::string projectName, std::string packageName, IGenerationListener& listener,
        TRunLocations locations = {}, TRunKind kind = TRunKind::Plain);

    // Takes ownership: the run deletes itself when its thread ends.
    static void Start(TAutoCode* run);

    // The thread body: checks the model, writes every file, reports.
    void Execute();

private:
    int projectId_;
    std::string projectName_;
    std::string packageName_;
    IGenerationListener& listener_;
    TRunLocations locations_;
    TRunKind kind_;
};

// What a run has once every check has passed: one snapshot of the model as
// the generators' input, and the templates.
struct TPreparedRun {
    TModelSnapshot snapshot;
    TIdList classList;
    std::vector<TClassData> classes; // pointing into snapshot
    TTemplates templates;
};

// Everything a run does before its first write: the project name check, one
// snapshot of the model, the model checks (the primary and display checks
// report through report), the name and path checks, and the templates.
// Returns nothing when a check failed; refusal then holds the message of a
// check that does not report through report. Throws on a database error.
std::optional<TPreparedRun> PrepareRun(int projectId, const std::string& projectName, const std::string& packageName,
    const std::string& templateDir, IModelCheckReport& report, std::string& refusal);

// Removes the temporary files that an earlier run killed while writing left
// in the directories a run writes.
void RemoveRunLeftovers(const TOutputPaths& paths);

// Every file of a prepared run, in the run's order, put through run.output:
// struts.xml, hibernate.cfg.xml and the mapping files, the support files,
// then the domain, Action and DAO classes.
void PutAllFiles(const TRunContext& run, const TPreparedRun& prepared);

// The directory of the running executable, without a trailing slash.
std::string ProgramDirectory();
