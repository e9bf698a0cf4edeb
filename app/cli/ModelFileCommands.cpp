// javagen-cli export and import: a project as a JSON text file.
#include "app/cli/CliApp.h"

#include "codegen/io/FileOperate.h"
#include "model/files/ModelFile.h"

#include <iostream>
#include <iterator>
#include <memory>
#include <optional>

namespace {

struct TFileArgs {
    std::string project;
    std::string file;
    std::optional<std::string> newName; // given, even empty, it replaces the file's
    std::string into; // a project the file updates
    bool yes = false;
    bool dryRun = false;
};

int Export(const TFileArgs& a)
{
    std::string text = ExportModel(FindProjectId(a.project));
    if (a.file.empty() || a.file == "-") {
        std::cout << text;
        return 0;
    }
    TFileOperate::WriteDocument(a.file, text);
    std::cerr << "工程“" << a.project << "”的模型已导出到 " << a.file << '\n';
    return 0;
}

// The plan on standard output, then the result; losses not confirmed are
// refused with the way to confirm them.
int Update(const TFileArgs& a, const std::string& text, const std::string& fileName)
{
    TModelUpdate update = UpdateModel(text, fileName, FindProjectId(a.into), { a.dryRun, a.yes });
    for (const std::string& line : update.plan)
        std::cout << line << '\n';
    if (update.result.refusal == TRefusal::Unconfirmed)
        throw TRefused(update.result.message + "：请核对上面的变更计划，确认后加 --yes 再次导入。");
    if (!update.result.Done())
        throw TRefused(update.result.message);
    std::cout << update.result.message << '\n';
    return 0;
}

int Import(const TFileArgs& a)
{
    if (!a.into.empty() && a.newName)
        throw TUsageError("--name 和 --into 不能一起使用：--into 按文件更新已有的工程，不改它的名称。");
    if (a.into.empty() && (a.yes || a.dryRun))
        throw TUsageError(std::string(a.yes ? "--yes" : "--dry-run") + " 只能与 --into 一起使用。");
    std::string text =
        a.file == "-" ? std::string(std::istreambuf_iterator<char>(std::cin), {}) : TFileOperate::ReadFileBytes(a.file);
    std::string fileName = a.file == "-" ? "标准输入" : a.file;
    if (!a.into.empty())
        return Update(a, text, fileName);
    TCommandResult result = ImportModel(text, fileName, a.newName);
    if (!result.Done())
        throw TRefused(result.message);
    std::cout << result.message << '\n';
    return 0;
}

} // namespace

void AddModelFileCommands(CLI::App& app, TCliAction& action)
{
    auto a = std::make_shared<TFileArgs>();
    CLI::App* exportCommand =
        app.add_subcommand("export", "把工程的模型导出为 JSON 文本文件(没有 FILE 时写到标准输出)");
    exportCommand->group("命令");
    exportCommand->add_option("PROJECT", a->project, "工程名称")->required()->type_name("");
    exportCommand->add_option("FILE", a->file, "导出到的文件")->type_name("");
    exportCommand->callback([&action, a] { action = [a] { return Export(*a); }; });

    CLI::App* importCommand = app.add_subcommand("import",
        "从 JSON 模型文件新建工程，或用 --into 更新已有的工程(经过全部输入规则，要么整个导入，要么什么也不写)");
    importCommand->group("命令");
    importCommand->add_option("FILE", a->file, "模型文件(- 为标准输入)")->required()->type_name("");
    importCommand
        ->add_option_function<std::string>(
            "--name", [a](const std::string& name) { a->newName = name; },
            "用这个名称代替文件中的工程名称(文件中的名称已存在时)")
        ->type_name("NEW");
    importCommand
        ->add_option("--into", a->into,
            "按文件更新这个已有的工程(先列出变更计划；类按名称对应，保留编号，合并生成仍认得它们的文件)")
        ->type_name("PROJECT");
    importCommand->add_flag("--yes", a->yes, "与 --into 一起用: 确认会删除类或成员等内容的导入");
    importCommand->add_flag("--dry-run", a->dryRun, "与 --into 一起用: 只列出变更计划，不写入任何东西");
    importCommand->callback([&action, a] { action = [a] { return Import(*a); }; });
}
