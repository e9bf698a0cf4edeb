#pragma once
#include "codegen/io/FileOperate.h"
#include "codegen/io/TreeGuard.h"

#include <map>
#include <optional>
#include <set>
#include <string>

// What the program last wrote to each path of a generated project, kept in
// projects/<project>/.javagen/ (outside src/, so the Java build never reads
// it): base/<path> holds the bytes, manifest.json lists the paths. A merging
// generation compares the files on disk with these to tell the user's edits
// from the model's changes.
class TBaseStore {
public:
    // outputRoot: projects/<project>. rememberDirectories: its guard checks
    // each directory on the way once (a plan's many reads) or at every
    // call (an apply's writes and deletes).
    explicit TBaseStore(std::string outputRoot, bool rememberDirectories = true);

    // True once a merging generation has made the store.
    bool Exists() const;
    // The base of a file (path relative to the output root, e.g.
    // "src/struts.xml"); nothing when the program has none.
    // With stamp, also which file was read.
    std::optional<std::string> Read(const std::string& relative, TFileStamp* stamp = nullptr) const;
    // Replaces the base of a file, never leaving a torn one.
    void Write(const std::string& relative, const std::string& bytes);
    void Remove(const std::string& relative);
    // Every file that has a base (regular files only: links are never
    // followed).
    std::set<std::string> List() const;
    // What lies in the store and is neither a regular file nor a directory
    // (a planted link, a pipe): never read, reported.
    std::set<std::string> Strays() const;
    // Both from one walk of the store.
    struct TListing {
        std::set<std::string> files, strays;
    };
    TListing Listing() const;
    const std::string& OutputRoot() const { return outputRoot_; }
    // Rewrites manifest.json from the bases present, with the package
    // (dotted, without "com.") the run generated and its classes by id (so
    // that the next merge can tell a renamed class).
    // The target ("legacy", "current") is recorded too.
    void WriteManifest(
        const std::string& package, const std::map<int, std::string>& classes, const std::string& target) const;
    // The package the last manifest records; empty when none does.
    std::string RecordedPackage() const;
    // The target the last manifest records: "legacy" for a manifest of a
    // program that had only that one; empty when there is no manifest.
    std::string RecordedTarget() const;
    // The classes the last manifest records by id; empty when none does.
    std::map<int, std::string> RecordedClasses() const;

    // The output-root relative path of a file below outputRoot.
    std::string Relative(const std::string& path) const;
    std::string FilePath(const std::string& relative) const { return outputRoot_ + "/" + relative; }
    // Where the base of a file lies.
    std::string BasePath(const std::string& relative) const;
    // Checks paths below the output root for the whole run.
    const TTreeGuard& Guard() const { return guard_; }

private:
    std::string outputRoot_;
    std::string baseDir_;
    TTreeGuard guard_;
};
