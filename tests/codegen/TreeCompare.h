#pragma once
#include <filesystem>
#include <string>

// Reads a whole file as bytes.
std::string ReadFileBytes(const std::filesystem::path& path);

// Compares every file below actual with the file of the same relative path
// below golden, byte for byte, and that neither has a file the other lacks.
// Returns an empty text when they agree, otherwise a report naming the file,
// the first differing line and both versions of it. With the environment
// variable JAVAGEN_UPDATE_GOLDEN=1 the golden tree is rewritten instead.
std::string CompareWithGolden(const std::filesystem::path& actual, const std::filesystem::path& golden);
