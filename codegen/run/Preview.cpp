#include "Preview.h"

#include "RunChecks.h"
#include "TextCodec.h"

namespace {

// Only what the shown generators read.
std::vector<TTemplateUse> PreviewTemplates(const std::vector<const IGenerator*>& generators)
{
    std::vector<TTemplateUse> uses;
    for (const IGenerator* generator : generators)
        for (const auto& use : generator->TemplatesUsed())
            uses.push_back(use);
    return uses;
}

} // namespace

std::vector<std::string> PreviewKinds(bool webapp)
{
    TTemplates none;
    std::vector<TClassData> noClasses;
    TGenInput in { "", "", none, noClasses, webapp, {}, "" };
    std::vector<std::string> kinds;
    for (const IGenerator* generator : PreviewGenerators(in))
        kinds.push_back(generator->Name());
    return kinds;
}

TCheckResult PreviewClass(int projectId, const std::string& projectName, const std::string& packageName,
    const TRunLocations& locations, const std::string& className, std::optional<TClassPreview>& preview)
{
    TModelSnapshot snapshot = TModelSnapshot::Read(projectId);
    TCheckResult check = CheckModel(snapshot, packageName, locations.webapp, locations.target);
    if (!check.Passed())
        return check;
    const TSnapshotClass* found = snapshot.FindClass(className);
    if (!found)
        return TCheckResult::Refuse("工程中没有类 " + className + "!");
    std::vector<TClassData> one = { BuildOneClassData(snapshot, snapshot.IndexOf(*found)) };

    TTemplates empty;
    TGenInput probe { packageName, "", empty, one, locations.webapp, {}, projectName, locations.target };
    std::vector<const IGenerator*> generators = PreviewGenerators(probe);
    TTemplates templates;
    try {
        templates = TTemplates::Load(locations.templateDir, PreviewTemplates(generators));
    } catch (const std::exception& e) {
        return TCheckResult::Refuse(e.what());
    }
    TOutputPaths paths("", projectName, packageName);
    TGenInput in { packageName, paths.PackagePath(), templates, one, locations.webapp, snapshot.Database(), projectName,
        locations.target };
    TClassPreview shown;
    for (const IGenerator* generator : generators) {
        TFiles files;
        generator->ClassFiles(in, one.front(), files);
        for (auto& file : files) {
            std::string text = file.encoding == TEncoding::Bytes ? GbkToUtf8(file.text) : std::move(file.text);
            shown.files.push_back(
                { generator->Name(), "projects/" + projectName + "/" + file.Relative(), file.name, std::move(text) });
        }
    }
    preview = std::move(shown);
    return {};
}
