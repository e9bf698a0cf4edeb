#pragma once
#include "ClassData.h"
#include "GenerationListener.h"
#include "Generator.h"
#include "ModelChecks.h"
#include "OutputPaths.h"
#include "OutputSink.h"
#include "Templates.h"

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
    MergeApply, // applies a plan made earlier (and approved), deciding nothing again
};

// Where a run reads its templates and writes its tree, and what it makes
// beside what every run makes.
struct TRunLocations {
    std::string templateDir = "template"; // read relative to the current directory
    std::string rootDir; // output goes to rootDir/projects/<project>; empty: program directory
    bool webapp = false; // the pages, web.xml and build too
    // A merge deletes the unedited files an earlier generation wrote in
    // another package (kept by default).
    bool deleteOldPackage = false;
};

// One generation run. Start() launches Execute on a worker thread of its
// own; the thread owns the run and frees it when Execute returns, so the
// creator never waits for it or keeps a reference.
class TAutoCode {
public:
    TAutoCode(int projectId, std::string projectName, std::string packageName, IGenerationListener& listener,
        TRunLocations locations = {}, TRunKind kind = TRunKind::Plain);
    // Applies an approved plan (TRunKind::MergeApply).
    TAutoCode(std::shared_ptr<const TMergePlan> plan, IGenerationListener& listener);

    // Takes ownership: the run deletes itself when its thread ends.
    static void Start(TAutoCode* run);

    // The thread body: checks the model, writes every file, reports.
    void Execute();

private:
    void Generate();

    int projectId_ = 0;
    std::string projectName_;
    std::string packageName_;
    IGenerationListener& listener_;
    TRunLocations locations_;
    TRunKind kind_;
    std::shared_ptr<const TMergePlan> plan_;
    bool checked_ = false; // the model passed its checks: failures are the files'
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
    const std::string& templateDir, bool webapp, std::optional<TPreparedRun>& prepared);

// The generators' input of a prepared run.
TGenInput GeneratorInput(
    const TPreparedRun& prepared, const std::string& projectName, const std::string& packageName, bool webapp);

// Every file of a run, in the run's order: each generator of the list, its
// project files, then its files for each class.
void ForEachGeneratedFile(const TGenInput& in, const std::function<void(const TGeneratedFile&)>& take);

// Removes the temporary files that an earlier run killed while writing left
// in the directories the generators write.
void RemoveRunLeftovers(const TOutputPaths& paths, const TGenInput& in);

// The directory of the running executable, without a trailing slash.
std::string ProgramDirectory();
