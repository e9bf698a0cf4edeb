// The per-project package and page setting on the command line: the same
// stored values the window uses, overridden for one run by the options.
#include "app/cli/CliApp.h"
#include "model/rules/TargetFacts.h"

#include "model/commands/ProjectSettings.h"
#include "model/rules/EntryRules.h"

#include <iostream>

TRunSettingsArgs AddRunSettingsOptions(CLI::App& command, std::string& packageName, const std::string& webappHelp)
{
    TRunSettingsArgs args;
    args.package = command
                       .add_option("--package", packageName,
                           std::string("包名，默认为工程保存的包名(工作台“设置包名”所存)，没有时为 ") +
                               kDefaultPackageName + "(可以是 org.example 这样以点分隔的名称)")
                       ->type_name("NAME");
    args.webapp =
        command.add_flag("--webapp")->description(webappHelp + "；默认按工程保存的设置(工作台的“同时生成网页”)");
    args.noWebapp = command.add_flag("--no-webapp")->description("本次不生成网页，不论工程保存的设置");
    args.webapp->excludes(args.noWebapp);
    args.target =
        command
            .add_option("--target", *args.targetName, "目标框架: " + TargetChoices(" 或 ") + "；默认按工程保存的设置")
            ->type_name(TargetNames());
    return args;
}

TRunSettings ResolveRunSettings(
    int projectId, const std::string& projectName, const TRunSettingsArgs& given, const std::string& packageName)
{
    TProjectSettings stored = ReadProjectSettings(projectId);
    TRunSettings run { stored.packageName, stored.webapp, stored.target };
    if (given.target && given.target->count() > 0) {
        const std::string& target = *given.targetName;
        if (TargetCaption(target).empty())
            throw TRefused("目标框架“" + target + "”不存在：只能是 " + TargetNames(" 或 "));
        if (target != stored.target)
            std::cerr << "本次生成 " << TargetCaption(target) << " 的代码(工程 " << projectName << " 保存的目标框架为 "
                      << TargetCaption(stored.target) << ")\n";
        run.target = target;
    }
    if (given.package && given.package->count() > 0) {
        TVerdict package = CheckPackageName(packageName);
        if (!package.Accepted())
            throw TRefused(package.message);
        if (packageName != stored.packageName)
            std::cerr << "本次使用包名 com." << packageName << "(工程 " << projectName << " 保存的包名为 com."
                      << stored.packageName << (stored.packageStored ? "" : "，即默认包名") << ")\n";
        run.packageName = packageName;
    }
    bool webapp = given.webapp && given.webapp->count() > 0;
    bool noWebapp = given.noWebapp && given.noWebapp->count() > 0;
    if ((webapp || noWebapp) && webapp != stored.webapp)
        std::cerr << (webapp ? "本次同时生成网页" : "本次不生成网页") << "(工程 " << projectName << " 保存的设置为"
                  << (stored.webapp ? "生成网页" : "不生成网页") << ")\n";
    if (webapp || noWebapp)
        run.webapp = webapp;
    return run;
}
