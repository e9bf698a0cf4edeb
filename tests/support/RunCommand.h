#pragma once
#include <string>
#include <utility>
#include <vector>

// What a finished program printed and its exit status.
struct TProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), in a working directory, and
// collects what it printed and its exit status.
TProcessResult RunCommand(
    const std::string& program, const std::vector<std::string>& args, const std::string& workingDir = "");

// Starts two runs of a program before waiting for either, so that they work
// at the same time; the results come in the order of the argument lists.
std::pair<TProcessResult, TProcessResult> RunTogether(const std::string& program, const std::vector<std::string>& first,
    const std::vector<std::string>& second, const std::string& workingDir = "");
