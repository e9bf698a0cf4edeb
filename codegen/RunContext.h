#pragma once
#include "GenerationListener.h"
#include "IdList.h"
#include "OutputPaths.h"

#include <string>

// What every step and generator of one run needs.
struct TRunContext {
    int projectId;
    std::string projectName;
    std::string packageName;
    std::string templateDir; // without a trailing slash
    TOutputPaths paths;
    IGenerationListener& listener;

    std::string TemplatePath(const std::string& relative) const { return templateDir + "/" + relative; }
    std::string ReadTemplate(const std::string& relative) const;
    // "$packageName", then "$packagePath", replaced.
    std::string SubstitutePackage(const std::string& text) const;
};
