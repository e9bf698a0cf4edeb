#pragma once
#include <string>
#include <vector>

// The word of words nearest to word, counted in characters (UTF-8 code
// points, so that 整形 is one step from 整型), when it is at most maxSteps
// insertions, deletions or replacements away and not word itself; empty
// otherwise. For "did you mean" hints on a misspelt option or type.
std::string ClosestWord(const std::string& word, const std::vector<std::string>& words, size_t maxSteps);
