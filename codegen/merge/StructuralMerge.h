#pragma once
#include "codegen/merge/ThreeWayMerge.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// A text cut into pieces that put together give it back byte for byte:
// each piece is one unit of the file's structure (a member of a Java
// class with its comments, an import, an element of an XML file with the
// comments before it) under a key that names it (its kind and name or
// signature), or the file's frame ("#head", "#tail").
struct TChunk {
    std::string key;
    std::string text;
};
using TChunks = std::vector<TChunk>;

// The pieces of a Java compilation unit (tree-sitter's Java grammar): the
// package line, each import, the class header, each member of the first
// type, the rest. Nothing when the text does not parse.
std::optional<TChunks> ChunkJava(const std::string& text);
// The same for a base and two texts made from it, parsing the base once and
// the others only where they differ from it.
std::optional<std::array<TChunks, 3>> ChunkJavaTrio(
    const std::string& base, const std::string& ours, const std::string& theirs);
// The pieces of an XML file (pugixml): the head, each child element of the
// innermost element that holds several, the rest. Nothing when it does not
// parse, or its layout has no line between the pieces.
std::optional<TChunks> ChunkXml(const std::string& text);

// Merges three cut texts piece by piece: a piece one side changed takes that
// side; one added on a side is added (the user's keep their place among
// their neighbours, the model's take the place the new text gives them); a
// piece removed by one side and untouched by the other is removed; a piece
// both changed is merged line by line, and a conflict is marked there only.
TMergedText MergeChunks(const TChunks& base, const TChunks& ours, const TChunks& theirs, const TMergeLabels& labels);

// How a file was merged.
struct TStructuralMerge {
    TMergedText merged;
    bool structural = false; // by its structure; false: line by line
    std::string note; // why it fell back to lines, for the progress line
};

// Merges a generated file by its structure when it is Java (.java) or XML
// (.xml) and all three texts parse; otherwise, and for other files, line by
// line as MergeThreeWays does.
TStructuralMerge MergeStructurally(const std::string& fileName, const std::string& base, const std::string& ours,
    const std::string& theirs, const TMergeLabels& labels);
