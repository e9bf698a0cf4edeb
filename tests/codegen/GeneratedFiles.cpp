#include "GeneratedFiles.h"

#include "codegen/core/Target.h"
#include "codegen/io/Templates.h"

std::map<std::string, std::string> GeneratedFiles(const TLiteralModel& model, std::string target,
    const TProjectDatabase& database, const std::string& packageName, const std::string& projectName)
{
    static const TTemplates templates = TTemplates::Load(JAVAGEN_TEMPLATES, AllTemplatesUsed(), TemplateFolders());
    const std::vector<TClassData> classes = BuildClassData(LiteralSnapshot(model));
    TGenInput in { packageName, packageName, templates, classes, true, database, projectName, target };
    TFiles files;
    for (const IGenerator* generator : Generators(target)) {
        if (!generator->Enabled(in))
            continue;
        generator->ProjectFiles(in, files);
        for (const auto& c : classes)
            generator->ClassFiles(in, c, files);
    }
    std::map<std::string, std::string> byPath;
    for (const auto& file : files)
        byPath[file.Relative()] = file.text;
    return byPath;
}
