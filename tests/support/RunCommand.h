#pragma once
#include <string>
#include <vector>

// Runs a program with arguments (no shell), in a working directory, and
// collects what it printed and its exit status.
struct TCommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

TCommandResult RunCommand(
    const std::string& program, const std::vector<std::string>& args, const std::string& workingDir = "");
