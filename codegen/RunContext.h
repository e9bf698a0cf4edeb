#pragma once
#include "GenerationListener.h"
#include "OutputPaths.h"
#include "OutputSink.h"
#include "Templates.h"

#include <string>

// What every step and generator of one run needs.
struct TRunContext {
    std::string projectName;
    std::string packageName;
    const TTemplates& templates;
    TOutputPaths paths;
    IGenerationListener& listener;
    IOutputSink& output;

    // "$packageName", then "$packagePath", replaced.
    std::string SubstitutePackage(const std::string& text) const;

    // A file of the source directory, or of a kind directory, written as
    // GBK (or, with utf8, as a byte-order mark and UTF-8), with its progress
    // line: display path + suffix.
    void PutSourceFile(const std::string& fileName, const std::string& text, bool utf8, const char* suffix) const;
    void PutKindFile(const std::string& kind, const std::string& fileName, const std::string& text, bool utf8,
        const char* suffix) const;
    // A kind-directory file whose bytes are written unchanged.
    void PutKindBytes(
        const std::string& kind, const std::string& fileName, const std::string& bytes, const char* suffix) const;
};
