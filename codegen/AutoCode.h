#pragma once
#include "GenerationListener.h"

#include <string>

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
        TRunLocations locations = {});

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
};

// The directory of the running executable, without a trailing slash.
std::string ProgramDirectory();
