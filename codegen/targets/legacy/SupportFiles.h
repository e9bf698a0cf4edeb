#pragma once
#include "codegen/core/Generator.h"

#include <string>
#include <vector>

// One of the fixed support files of every generated project.
struct TSupportFile {
    const char* kind;
    const char* fileName;
    bool copied; // byte-for-byte copy instead of read and substitute
    const char* templateRoot = ""; // the target's folder of the template directory: "" or "current/"

    // Its template, relative to the template directory.
    std::string TemplatePath() const
    {
        return std::string(templateRoot) + "src/com/packageName/" + kind + "/" + fileName;
    }
};

// Places a target's fixed support files, in the order of its list.
class TSupportFileGenerator : public IGenerator {
public:
    explicit TSupportFileGenerator(const std::vector<TSupportFile>& files)
        : files_(files)
    {
    }
    const char* Name() const override { return "support"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override;
    std::vector<std::string> Directories(const TGenInput& in) const override;
    std::vector<TTemplateUse> TemplatesUsed() const override;

private:
    const std::vector<TSupportFile>& files_;
};

// The eleven support files in the order they are placed and reported.
const std::vector<TSupportFile>& SupportFileList();

// Places the eleven fixed support files of every generated project.
const IGenerator& SupportFileGenerator();
