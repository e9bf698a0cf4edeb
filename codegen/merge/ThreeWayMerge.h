#pragma once
#include <string>

// The outcome of merging two sets of changes to one text.
struct TMergedText {
    std::string bytes;
    bool clean = true; // false: bytes hold conflict markers
    bool linesMerged = false; // a structural merge merged some piece by lines
};

// The labels written after the conflict markers, in the file's own encoding.
struct TMergeLabels {
    std::string base; // what the program last wrote
    std::string ours; // the file on disk, with the user's edits
    std::string theirs; // the new text from the model
};

// Line-by-line three-way merge of the user's file and the new text, both
// descended from base, on the files' own bytes (libgit2's file merge, no
// repository needed). A conflict is written with the usual markers
// ("<<<<<<<", "=======", ">>>>>>>") followed by the labels.
TMergedText MergeThreeWays(
    const std::string& base, const std::string& ours, const std::string& theirs, const TMergeLabels& labels);
