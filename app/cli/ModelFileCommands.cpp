// javagen-cli export and import: a project as a JSON text file.
#include "CliApp.h"

#include "FileOperate.h"
#include "ModelFile.h"

#include <iostream>
#include <iterator>
#include <memory>
#include <optional>

namespace {

struct TFileArgs {
    std::string project;
    std::string file;
    std::optional<std::string> newName; // given, even empty, it replaces the file's
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

int Import(const TFileArgs& a)
{
    std::string text =
        a.file == "-" ? std::string(std::istreambuf_iterator<char>(std::cin), {}) : TFileOperate::ReadFileBytes(a.file);
    TCommandResult result = ImportModel(text, a.file == "-" ? "标准输入" : a.file, a.newName);
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

    CLI::App* importCommand =
        app.add_subcommand("import", "从 JSON 模型文件新建工程(经过全部输入规则，要么整个导入，要么什么也不写)");
    importCommand->group("命令");
    importCommand->add_option("FILE", a->file, "模型文件(- 为标准输入)")->required()->type_name("");
    importCommand
        ->add_option_function<std::string>(
            "--name", [a](const std::string& name) { a->newName = name; },
            "用这个名称代替文件中的工程名称(文件中的名称已存在时)")
        ->type_name("NEW");
    importCommand->callback([&action, a] { action = [a] { return Import(*a); }; });
}
