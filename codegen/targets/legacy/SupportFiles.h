#pragma once
#include "Generator.h"

#include <string>
#include <vector>

// One of the fixed support files of every generated project.
struct TSupportFile {
    const char* kind;
    const char* fileName;
    bool copied; // byte-for-byte copy instead of read and substitute

    // Its template, relative to the template directory.
    std::string TemplatePath() const { return std::string("src/com/packageName/") + kind + "/" + fileName; }
};

// The eleven support files in the order they are placed and reported.
const std::vector<TSupportFile>& SupportFileList();

// Places the eleven fixed support files of every generated project.
const IGenerator& SupportFileGenerator();
