#pragma once
#include "MergeSummary.h"
#include "ModelCheckReport.h"

#include <string>

// What a generation run tells its window. Calls come from the run's worker
// thread, in order; each returns only when the window has dealt with it
// (message box included), so the run waits for the user as it should.
class IGenerationListener : public IModelCheckReport {
public:
    // One line of the progress box: display path + "生成完成!" etc.
    virtual void Progress(const std::string& line) = 0;
    // The run refuses the model or its templates before writing anything;
    // the text is the whole message, naming the class and member or the
    // file ("Book表的成员author引用的类Author不存在!").
    virtual void ModelRefused(const std::string& message) = 0;
    // Every file was written.
    virtual void Done() = 0;
    // A merging generation (or its dry run) has dealt with every file; the
    // summary says what it did. Listeners that do not merge take it as Done.
    virtual void MergeDone(const TMergeSummary& summary)
    {
        (void)summary;
        Done();
    }
    // The run stopped after the checks because of a file or database error;
    // the text says what failed.
    virtual void Failed(const std::string& message) = 0;
    // Last call of every run, however it ended.
    virtual void Finished() = 0;
};
