#pragma once
#include "codegen/core/Generator.h"

#include <functional>
#include <string>
#include <vector>

// The one shape of a per-class Java file: one file per model class, named
// after it with a suffix, in a folder of the package, built by a function.
class TClassFileGenerator : public IGenerator {
public:
    using TBuild = std::function<std::string(const TGenInput&, const TClassData&)>;
    // name: what `preview --file` takes; kind: the package folder ("dao");
    // suffix: after the class name ("DAO.java"); rank: the preview's order.
    TClassFileGenerator(const char* name, const char* kind, const char* suffix, int rank, TBuild build)
        : name_(name)
        , kind_(kind)
        , suffix_(suffix)
        , rank_(rank)
        , build_(std::move(build))
    {
    }
    const char* Name() const override { return name_; }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        out.push_back({ in.KindDir(kind_), c.name + suffix_, build_(in, c), TEncoding::Gbk, "生成完毕!" });
    }
    std::vector<std::string> ClassFileNames(const std::string& className) const override
    {
        return { className + suffix_ };
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir(kind_) }; }
    int PreviewRank() const override { return rank_; }

private:
    const char* name_;
    const char* kind_;
    const char* suffix_;
    int rank_;
    TBuild build_;
};
