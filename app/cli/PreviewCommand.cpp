// javagen-cli preview: the files a run would write for one class, printed
// as UTF-8, nothing written.
#include "app/cli/CliApp.h"
#include "model/commands/ProjectSettings.h"

#include "codegen/run/Preview.h"
#include "model/rules/EntryRules.h"

#include <algorithm>
#include <iostream>
#include <memory>

namespace {

struct TPreviewArgs {
    std::string project;
    std::string className;
    std::string file;
    std::string packageName;
    TRunSettingsArgs settings;
    std::string templates = "template";
};

int Preview(const TPreviewArgs& a)
{
    int projectId = FindProjectId(a.project);
    TRunSettings settings = ResolveRunSettings(projectId, a.project, a.settings, a.packageName);
    TRunLocations locations;
    locations.templateDir = a.templates;
    locations.webapp = settings.webapp || a.file == "pages" || a.file == "validation";
    locations.target = settings.target;
    std::optional<TClassPreview> preview;
    TCheckResult check = PreviewClass(projectId, a.project, settings.packageName, locations, a.className, preview);
    if (!check.Passed())
        throw TRefused(check.message);
    // A kind the target does not make (the legacy mapping file on the
    // current target, whose mapping is in the domain class) is no output.
    if (!a.file.empty() && std::none_of(preview->files.begin(), preview->files.end(), [&](const TPreviewFile& file) {
            return file.kind == a.file;
        }))
        throw TRefused("目标框架 " + TargetCaption(settings.target) + " 不生成“" + a.file + "”这种文件" +
            (a.file == "mapping" ? "(映射写在领域类的注解中，请用 --file domain)" : "") + "!");
    for (const auto& file : preview->files) {
        if (!a.file.empty() && a.file != file.kind)
            continue;
        if (a.file.empty())
            std::cout << "==> " << file.displayPath << " <==\n";
        std::cout << file.text;
        if (a.file.empty())
            std::cout << '\n';
    }
    return 0;
}

} // namespace

void AddPreviewCommand(CLI::App& app, TCliAction& action)
{
    auto a = std::make_shared<TPreviewArgs>();
    CLI::App* command = app.add_subcommand(
        "preview", "预览一个类生成的代码(映射文件、领域类、DAO 类、Action 类)，以 UTF-8 打印，不写入任何文件");
    command->group("命令");
    command->add_option("PROJECT", a->project, "工程名称")->required()->type_name("");
    command->add_option("CLASS", a->className, "类英文名称")->required()->type_name("");
    std::vector<std::string> kinds = PreviewKinds(true);
    std::string choices;
    for (size_t i = 0; i < kinds.size(); ++i)
        choices += (i == 0 ? "" : i + 1 == kinds.size() ? " 或 " : "、") + kinds[i];
    command->add_option("--file", a->file, "只打印其中一个: " + choices)
        ->type_name("KIND")
        ->check(CLI::IsMember(kinds));
    a->settings = AddRunSettingsOptions(*command, a->packageName, "也预览这个类的网页和校验文件");
    command->add_option("--templates", a->templates, "模板目录，默认 ./template")->type_name("DIR");
    command->callback([&action, a] { action = [a] { return Preview(*a); }; });
}
