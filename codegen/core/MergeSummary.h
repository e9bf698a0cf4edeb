#pragma once
#include <string>
#include <vector>

// What a merging generation does (or, in a dry run, would do) to one file.
enum class TMergeAction {
    New, // no file on disk: written
    Replace, // not edited since the program wrote it: replaced
    Unchanged, // already holds the new text
    Keep, // edited, and the model change does not touch it: kept
    Merge, // edited and changed by the model: merged cleanly
    Conflict, // edited and changed by the model in the same lines: markers
    Beside, // on disk without a base and different: new text in NAME.new
    Obsolete, // written earlier, no longer produced by the model
    Unresolved, // still holds the conflict markers of an earlier merge: left alone
    Refused, // a link, a file of another kind or a path out of the tree: never touched
};

// The word a dry run prints for an action.
const char* MergeActionWord(TMergeAction action);

struct TMergeEntry {
    TMergeAction action;
    std::string displayPath;
    bool deleted = false; // Obsolete: the file was unedited and is gone
    std::string why; // Obsolete: whether it is deleted or kept, and why; Beside: why it was not merged
};

// How a merging generation ended.
struct TMergeSummary {
    std::vector<TMergeEntry> entries;
    int Count(TMergeAction action) const;
    // The files in conflict, and those whose earlier conflict is unresolved.
    std::vector<std::string> Conflicts() const;
    // How many files were written, merged, kept, in conflict...: one line.
    std::string Counts() const;
    // What the files written beside as NAME.new are and how to finish with
    // them; empty when there are none.
    std::string BesideHint() const;
};
