#pragma once
#include "GenerationListener.h"
#include "IdList.h"
#include "OutputPaths.h"

#include <functional>
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

// For each class in list order: builds its text inside one read scope,
// writes it as GBK to kind/<class><suffix>.java and adds its progress line.
void WriteClassFiles(const TRunContext& run, const TIdList& classes, const std::string& kind, const std::string& suffix,
    const std::function<std::string(const TIdEntry&)>& build);
