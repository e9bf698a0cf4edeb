#pragma once
#include "codegen/core/MergeSummary.h"
#include "model/commands/ModelChecks.h"

#include <memory>
#include <string>

struct TMergePlan;

// What a generation run tells its window. Calls come from the run's worker
// thread, in order; each returns only when the window has dealt with it
// (message box included), so the run waits for the user as it should.
class IGenerationListener {
public:
    virtual ~IGenerationListener() = default;
    // One line of the progress box: display path + "生成完成!" etc.
    virtual void Progress(const std::string& line) = 0;
    // The run refuses the model or its templates before writing anything:
    // the first fault found, with the class it concerns and the whole
    // message ("Book表主键设置错误，每个类只能设置一个主键!").
    virtual void CheckFailed(const TCheckResult& result) = 0;
    // Every file was written.
    virtual void Done() = 0;
    // A merging generation has dealt with every file; the summary says what
    // it did. Listeners that do not merge take it as Done.
    virtual void MergeDone(const TMergeSummary& summary)
    {
        (void)summary;
        Done();
    }
    // A merging generation's dry run has made its plan (its lines were
    // reported as progress); by default it ends like a merge.
    virtual void MergePlanned(const std::shared_ptr<const TMergePlan>& plan);
    // An approved plan was not applied because a file or base changed since
    // it was made; nothing was written. By default a failure.
    virtual void PlanStale(const std::string& message) { Failed(message); }
    // The run stopped after the checks because of a file or database error,
    // or an approved plan no longer matches the files; the text says what.
    virtual void Failed(const std::string& message) = 0;
    // Last call of every run, however it ended.
    virtual void Finished() = 0;
};
