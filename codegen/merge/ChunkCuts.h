#pragma once
#include "codegen/merge/StructuralMerge.h"

#include <string>
#include <vector>

// A unit of a file's structure: its key and where its text ends (the byte
// after its last one). Its piece runs from the end of the line where the
// unit before it ends to the end of its own last line, so the blank lines
// and comments before a unit go with it.
struct TUnit {
    std::string key;
    size_t end;
};

// The pieces: "#head" up to the end of the line of headEnd, the units, and
// "#tail" from the end of the last unit's line. Keys that occur twice are
// numbered ("import:x#2"); units ending on one line make one piece. Nothing
// when a unit ends before the head.
std::optional<TChunks> CutIntoChunks(const std::string& text, size_t headEnd, const std::vector<TUnit>& units);
