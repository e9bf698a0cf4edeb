#include "codegen/run/Preview.h"
#include "codegen/core/Target.h"

#include "codegen/run/RunChecks.h"
#include "model/store/TextCodec.h"

#include <set>

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

// The class and every class its members reach, through references and
// many-to-many members, however far: the classes its files are made of.
TModelSnapshot Reached(const TModelSnapshot& snapshot, const TSnapshotClass& start)
{
    std::vector<TSnapshotClass> reached = { start };
    std::set<std::string> names = { start.className };
    for (size_t i = 0; i < reached.size(); ++i)
        for (const auto& row : std::vector<TSnapshotMember>(reached[i].members)) {
            const TSnapshotClass* other = snapshot.FindClass(row.member.GetMemberType());
            if (other && names.insert(other->className).second)
                reached.push_back(*other);
        }
    TModelSnapshot part(snapshot.ProjectId(), std::move(reached));
    part.SetDatabase(snapshot.Database());
    return part;
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
    const TSnapshotClass* found = snapshot.FindClass(className);
    if (!found)
        return TCheckResult::Refuse("找不到类: " + className);
    // Only what this class's files need: an unfinished other class does
    // not stop its preview.
    TCheckResult check = CheckModel(Reached(snapshot, *found), packageName, locations.webapp, locations.target);
    if (!check.Passed())
        return check;
    std::vector<TClassData> one = { BuildOneClassData(snapshot, snapshot.IndexOf(*found)) };

    TTemplates empty;
    TGenInput probe { packageName, "", empty, one, locations.webapp, {}, projectName, locations.target };
    std::vector<const IGenerator*> generators = PreviewGenerators(probe);
    TTemplates templates;
    try {
        templates = TTemplates::Load(locations.templateDir, PreviewTemplates(generators), TemplateFolders());
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
