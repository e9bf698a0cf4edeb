#include "app/cli/CliApp.h"
#include "model/commands/ProjectSettings.h"

#include "codegen/run/AutoCode.h"
#include "model/rules/EntryRules.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <vector>

namespace {

// Prints what the window would show: progress lines on standard output,
// everything else on standard error; remembers how the run ended.
class TConsoleListener : public IGenerationListener {
public:
    void CheckFailed(const TCheckResult& result) override { Refuse(result.message); }
    // Buffered by the C library: a line at a time on a terminal, in blocks
    // into a pipe or file.
    void Progress(const std::string& line) override
    {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    void Done() override { std::cerr << "所有代码生成完毕!\n"; }
    // A merge with conflicts ends with status 4 and names the files.
    void MergeDone(const TMergeSummary& summary) override
    {
        std::fflush(stdout);
        std::cerr << (dryRun_ ? "合并生成预览：" : "合并生成完毕：") << summary.Counts() << '\n';
        for (const auto& path : summary.Conflicts())
            std::cerr << "有冲突: " << path << '\n';
        if (!dryRun_ && !summary.BesideHint().empty())
            std::cerr << summary.BesideHint() << '\n';
        int skipped = summary.Count(TMergeAction::Refused);
        if (skipped > 0) {
            std::cerr << "有 " << skipped << " 个路径是符号链接或不是普通文件，未处理。\n";
            ReportUnsafe(summary);
        }
        // A dry run ends as the run it plans would.
        status_ = !summary.Conflicts().empty() ? 4 : skipped > 0 ? 3 : status_;
    }
    void SetDryRun(bool dryRun) { dryRun_ = dryRun; }
    void Failed(const std::string& message) override
    {
        std::cerr << "代码生成失败：" << message << '\n';
        status_ = 3;
    }
    // The run ends on this thread: nothing waits for it.
    void Finished() override { }
    int Status() const { return status_; }

private:
    // Each unsafe path and what is wrong with it; one line for the paths
    // one fault stops (a base folder that is a file stops all its bases).
    static void ReportUnsafe(const TMergeSummary& summary)
    {
        std::map<std::string, std::vector<std::string>> byFault;
        std::vector<std::string> order;
        for (const auto& entry : summary.entries) {
            if (entry.action != TMergeAction::Refused)
                continue;
            auto& paths = byFault[entry.why];
            if (paths.empty())
                order.push_back(entry.why);
            paths.push_back(entry.displayPath);
        }
        for (const auto& why : order) {
            const auto& paths = byFault[why];
            if (paths.size() == 1)
                std::cerr << "未处理: " << paths.front() << "：" << why << '\n';
            else
                std::cerr << "未处理 " << paths.size() << " 个文件(如 " << paths.front() << ")：" << why << '\n';
        }
    }

    void Refuse(const std::string& message)
    {
        std::cerr << message << '\n';
        status_ = 1;
    }

    int status_ = 0;
    bool dryRun_ = false;
};

} // namespace

namespace {

struct TGenerateArgs {
    std::string project;
    std::string packageName;
    TRunSettingsArgs settings;
    std::string templates = "template";
    std::string root;
    bool merge = false;
    bool dryRun = false;
    bool deleteOldPackage = false;
};

int Generate(const TGenerateArgs& args)
{
    int projectId = FindProjectId(args.project);
    TRunSettings settings = ResolveRunSettings(projectId, args.project, args.settings, args.packageName);

    TRunLocations locations;
    locations.templateDir = args.templates;
    while (locations.templateDir.size() > 1 && locations.templateDir.back() == '/')
        locations.templateDir.pop_back();
    locations.rootDir = args.root;
    locations.webapp = settings.webapp;
    locations.target = settings.target;
    locations.deleteOldPackage = args.deleteOldPackage;

    if (args.dryRun && !args.merge)
        throw TUsageError("--dry-run 只能与 --merge 一起使用。");
    TRunKind kind = !args.merge ? TRunKind::Plain : args.dryRun ? TRunKind::MergeDryRun : TRunKind::Merge;
    TConsoleListener listener;
    listener.SetDryRun(args.dryRun);
    RunGeneration({ projectId, args.project, settings.packageName, locations, kind }, listener);
    return listener.Status();
}

} // namespace

void AddGenerateCommand(CLI::App& app, TCliAction& action)
{
    auto a = std::make_shared<TGenerateArgs>();
    CLI::App* generate =
        app.add_subcommand("generate", "生成代码: 标准输出只有进度行，完成提示、模型检查错误和失败原因写到标准错误");
    generate->group("命令");
    generate->add_option("PROJECT", a->project, "工程名称")->required()->type_name("");
    a->settings = AddRunSettingsOptions(*generate, a->packageName,
        "同时生成网页: WebRoot/ 下 struts.xml 用到的全部 JSP 页面和 "
        "WEB-INF/web.xml、过滤器、校验文件、pom.xml、build.xml");
    generate->add_option("--templates", a->templates, "模板目录，默认 ./template")->type_name("DIR");
    generate->add_option("--root", a->root, "输出到 ROOT/projects/PROJECT，ROOT 默认为程序所在目录")->type_name("DIR");
    generate->add_flag(
        "--merge", a->merge, "合并生成: 保留对生成文件的手工修改，模型的改动合并进去；冲突处加标记，退出状态 4");
    generate->add_flag("--dry-run", a->dryRun, "与 --merge 一起用: 每个文件一行列出将做的事(动作和路径)，不写任何文件");
    generate->add_flag("--delete-old-package", a->deleteOldPackage,
        "与 --merge 一起用: 包名改变后，删除旧包中未经手工修改的文件(默认保留)");
    generate->callback([&action, a] { action = [a] { return Generate(*a); }; });
}
