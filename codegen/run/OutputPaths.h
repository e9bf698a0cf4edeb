#pragma once
#include "codegen/core/OutputSink.h"

#include <string>

struct TGeneratedFile;

// Where a run's files go on disk and how progress lines name them.
// A dotted package name is a directory per segment on disk and in display
// paths; in Java text it stays dotted.
class TOutputPaths {
public:
    TOutputPaths(std::string rootDir, std::string projectName, std::string packageName);

    // <root>/projects/<project>
    std::string OutputRoot() const;
    // <root>/projects/<project>/src
    std::string SourceDir() const;
    // <source>/com/<package path>/<kind>
    std::string KindDir(const std::string& kind) const;

    // "projects/<project>/src/<file>"
    std::string DisplaySource(const std::string& fileName) const;
    // "projects/<project>/src/com/<package path>/<kind>/<file>"
    std::string DisplayKind(const std::string& kind, const std::string& fileName) const;

    // A directory relative to the output root ("src/com/x/dao"), on disk.
    std::string Directory(const std::string& relativeDir) const;
    // A generated file on disk, encoded, with its display path
    // "projects/<project>/<dir>/<name>". TFileError when its text has no
    // GBK form.
    TOutputFile Place(const TGeneratedFile& file) const;

    // The package name with "/" for each ".".
    const std::string& PackagePath() const { return packagePath_; }

private:
    std::string rootDir_;
    std::string projectName_;
    std::string packagePath_;
};
