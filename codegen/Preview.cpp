#include "Preview.h"

#include "ActionOperate.h"
#include "ConfigWriter.h"
#include "DaoOperate.h"
#include "DomainOperate.h"
#include "TextCodec.h"

const char* const kPreviewKinds[4] = { "mapping", "domain", "dao", "action" };

namespace {

// Keeps what the generators put, writes nothing, reports nothing.
class TMemorySink : public IOutputSink {
public:
    void Put(const TOutputFile& file, const std::string&) override { files.push_back(file); }
    std::vector<TOutputFile> files;
};

class TSilentListener : public IGenerationListener {
public:
    void SetErrorClassId(int) override { }
    void PrimaryMemberError() override { }
    void DisplayMemberError() override { }
    void Progress(const std::string&) override { }
    void ModelRefused(const std::string&) override { }
    void Done() override { }
    void Failed(const std::string&) override { }
    void Finished() override { }
};

} // namespace

std::optional<TClassPreview> PreviewClass(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, const std::string& className, IModelCheckReport& report, std::string& refusal)
{
    auto prepared = PrepareRun(projectId, projectName, packageName, locations.templateDir, report, refusal);
    if (!prepared)
        return std::nullopt;
    std::vector<TClassData> one;
    for (const auto& c : prepared->classes)
        if (c.name == className && one.empty())
            one.push_back(c);
    if (one.empty()) {
        refusal = "工程中没有类 " + className + "!";
        return std::nullopt;
    }
    std::string root = locations.rootDir.empty() ? ProgramDirectory() : locations.rootDir;
    TMemorySink sink;
    TSilentListener silent;
    TRunContext run { projectName, packageName, prepared->templates, TOutputPaths(root, projectName, packageName),
        silent, sink };
    // The same writers a run calls, for a list of this one class.
    WriteMappingFile(run, one.front());
    TDomainOperate::WriteDomainClasses(run, one);
    TDaoOperate::WriteDaoClasses(run, one);
    TActionOperate::WriteActionClasses(run, one);
    return TClassPreview { sink.files };
}

std::string PreviewText(const TOutputFile& file)
{
    if (file.bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return file.bytes.substr(3);
    return GbkToUtf8(file.bytes);
}
