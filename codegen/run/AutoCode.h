#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/GenerationListener.h"
#include "codegen/core/Generator.h"
#include "codegen/core/OutputSink.h"
#include "codegen/io/Templates.h"
#include "codegen/run/OutputPaths.h"
#include "model/commands/ModelChecks.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TMergePlan;

// What a run does with the files it generates.
enum class TRunKind {
    Plain, // writes every file, as the generate command always has
    Merge, // keeps the user's edits: plans, then applies the plan
    MergeDryRun, // makes the plan and reports it, writes nothing
};

// Where a run reads its templates and writes its tree, and what it makes
// beside what every run makes.
struct TRunLocations {
    std::string templateDir = "template"; // read relative to the current directory
    std::string rootDir; // output goes to rootDir/projects/<project>; empty: program directory
    bool webapp = false; // the pages, web.xml and build too
    std::string target = kTargetLegacy; // the frameworks the output is for: a row of the target table
    // A merge deletes the unedited files an earlier generation wrote in
    // another package (kept by default).
    bool deleteOldPackage = false;
};

// What one run is asked to do.
struct TRunRequest {
    int projectId = 0;
    std::string projectName;
    std::string packageName;
    TRunLocations locations;
    TRunKind kind = TRunKind::Plain;
};

// A run, start to end, on the calling thread: prepare (checks, one
// snapshot, templates), then write every file (plain) or plan and apply the
// plan (merge). Reports to listener; ends with Finished() whatever happened.
// Both front ends call it: the CLI directly, the window through TAutoCode.
void RunGeneration(const TRunRequest& request, IGenerationListener& listener);

// Applies a plan made earlier and approved, on the calling thread, ending
// with Finished(); a plan no longer current is refused whole (PlanStale).
void RunApprovedPlan(const TMergePlan& plan, IGenerationListener& listener);

// The window's runs: body on a worker thread of its own that owns it and
// frees it when body returns, so the window never waits for a run.
class TAutoCode {
public:
    static void Start(std::function<void()> body);
};

// What a run has once every check has passed: the generators' input, read
// from one snapshot of the model, and the templates.
struct TPreparedRun {
    std::vector<TClassData> classes;
    TTemplates templates;
    TProjectDatabase database;
};

// Everything a run does before its first write: the project name check, one
// snapshot of the model (which must still be the project of that id and
// name), the model, name and path checks, and the templates. Fills prepared
// and returns passed, or returns the first fault. Throws on a database error.
TCheckResult PrepareRun(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, std::optional<TPreparedRun>& prepared);

// The generators' input of a prepared run.
TGenInput GeneratorInput(const TPreparedRun& prepared, const std::string& projectName, const std::string& packageName,
    bool webapp, const std::string& target = kTargetLegacy);

// Every file of a run, in the run's order: each generator of the list, its
// project files, then its files for each class.
void ForEachGeneratedFile(const TGenInput& in, const std::function<void(const TGeneratedFile&)>& take);

// The directories a run writes, and those of their bases: where a run killed
// while writing may have left temporary files.
std::vector<std::string> RunDirectories(const TOutputPaths& paths, const TGenInput& in);

// The directory of the running executable, without a trailing slash.
std::string ProgramDirectory();
