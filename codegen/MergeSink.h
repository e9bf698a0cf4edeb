#pragma once
#include "BaseStore.h"
#include "GenerationListener.h"
#include "MergeSummary.h"
#include "OutputSink.h"

#include <set>
#include <string>
#include <vector>

// The merging generation's sink: for each file it decides from the base (what
// the program last wrote there), the file on disk and the new text, writes
// the result (each file atomically, then its base), and adds a progress line
// that says what happened. In a dry run it decides and reports the same way
// but writes nothing.
class TMergeSink : public IOutputSink {
public:
    TMergeSink(
        IGenerationListener& listener, const std::string& outputRoot, const std::string& projectName, bool dryRun);

    void Put(const TOutputFile& file, const std::string& suffix) override;
    // After the last Put: the files of an earlier generation that this one
    // did not produce; unedited ones are deleted (not in a dry run).
    void FinishObsolete();

    const TMergeSummary& Summary() const { return summary_; }

private:
    void Report(TMergeAction action, const std::string& displayPath, const std::string& text);
    void WriteFile(const std::string& path, const std::string& bytes);

    IGenerationListener& listener_;
    TBaseStore bases_;
    std::string displayRoot_; // "projects/<project>/"
    bool dryRun_;
    std::set<std::string> produced_;
    TMergeSummary summary_;
};
