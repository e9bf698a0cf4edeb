// javagen-cli: the model commands and the generation run without a window.
#include "app/cli/CliApp.h"
#include "model/rules/ClosestWord.h"

#include "codegen/core/Target.h"
#include "codegen/io/FileOperate.h"
#include "model/store/DbError.h"
#include "model/store/DbHelper.h"
#include "model/store/Schema.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <sstream>
#include <vector>

#ifndef JAVAGEN_VERSION
#define JAVAGEN_VERSION "2.0.0"
#endif

namespace {

const char* const kHelpHint = "运行 javagen-cli --help 查看用法。";

const char* const kFooter = R"(
成员类型 TYPE: 字符串 整型 浮点型 日期型 长整型 定点数 双精度 二进制(或 string int float date long decimal double binary)，或本工程另一个类的类名。
列表每行一项，以 TAB 分隔。
退出状态: 0 完成; 1 被输入规则或模型检查拒绝、找不到对象; 2 用法错误; 3 数据库或文件错误;
4 合并生成(generate --merge)有冲突，冲突处已加标记)";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The word given where a command was expected, when it names none: the
// first word the deepest command given could not take.
std::string UnknownCommand(const CLI::App& app)
{
    const CLI::App* at = &app;
    while (!at->get_subcommands().empty())
        at = at->get_subcommands().front();
    for (const std::string& word : at->remaining()) {
        // An unknown option first: the words after it are its value.
        if (!word.empty() && word[0] == '-')
            return "";
        if (!word.empty())
            return word;
    }
    return "";
}

// The commands the deepest command given offers, for "缺少命令".
std::string CommandsOffered(const CLI::App& app)
{
    const CLI::App* at = &app;
    while (!at->get_subcommands().empty())
        at = at->get_subcommands().front();
    std::string names;
    for (const CLI::App* sub : at->get_subcommands([](const CLI::App*) { return true; }))
        names += (names.empty() ? "" : ", ") + sub->get_name();
    return names;
}

// "你是不是想用 --length?" for a word close to an option or a command of the
// deepest command given.
std::string Suggestion(const CLI::App& app, const std::string& word)
{
    const CLI::App* at = &app;
    while (!at->get_subcommands().empty())
        at = at->get_subcommands().front();
    std::vector<std::string> names;
    for (const CLI::Option* option : at->get_options())
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
    for (const CLI::App* sub : at->get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(sub->get_name());
    std::string best = ClosestWord(word, names, 2);
    return best.empty() ? "" : "你是不是想用 " + best + "? ";
}

// One line saying, in Chinese, what is wrong with the command line; the
// parser's own words are kept where they name the arguments.
std::string UsageLine(const CLI::App& app, const CLI::ParseError& e, const std::string& unknownCommand)
{
    std::string name = e.get_name();
    std::string detail = e.what();
    if (name == "RequiredError" && detail.find("subcommand") != std::string::npos) {
        if (!unknownCommand.empty())
            return "未知命令: " + unknownCommand + "。";
        const CLI::App* at = &app;
        while (!at->get_subcommands().empty())
            at = at->get_subcommands().front();
        std::string given;
        for (const std::string& word : at->remaining())
            given += (given.empty() ? "" : " ") + word;
        if (!given.empty())
            return "无法识别的参数: " + given + "。";
        std::string offered = CommandsOffered(app);
        return offered.empty() ? "缺少命令。" : "缺少命令，可用的命令: " + offered + "。";
    }
    if (name == "RequiredError" && EndsWith(detail, " is required"))
        return "缺少参数 " + detail.substr(0, detail.size() - std::string(" is required").size()) + "。";
    size_t extras = detail.find("expected: ");
    if (extras != std::string::npos) {
        // The parser lists them last first.
        std::vector<std::string> words;
        std::istringstream list(detail.substr(extras + 10));
        for (std::string word; list >> word;)
            words.insert(words.begin(), word);
        std::string text;
        for (const std::string& word : words)
            text += (text.empty() ? "" : " ") + word;
        return "无法识别的参数: " + text + "。";
    }
    if (name == "ExcludesError") {
        size_t excludes = detail.find(" excludes ");
        if (excludes != std::string::npos)
            return "选项 " + detail.substr(0, excludes) + " 与 " + detail.substr(excludes + 10) + " 不能同时使用。";
    }
    size_t most = detail.find(": At Most ");
    size_t got = detail.find(" required but received ");
    if (most != std::string::npos && got != std::string::npos)
        return "选项 " + detail.substr(0, most) + " 最多只能给出 " + detail.substr(most + 10, got - most - 10) +
            " 次，却给出了 " + detail.substr(got + 23) + " 次。";
    if (name == "ArgumentMismatch")
        return "选项缺少取值(" + detail + ")。";
    size_t notIn = detail.find(" not in {");
    if (name == "ValidationError" && notIn != std::string::npos) {
        size_t colon = detail.rfind(": ", notIn);
        std::string value = detail.substr(
            colon == std::string::npos ? 0 : colon + 2, notIn - (colon == std::string::npos ? 0 : colon + 2));
        return "取值 " + value + " 不在可选的 " + detail.substr(notIn + 8) + " 之中。";
    }
    size_t atMost = detail.find("At Most ");
    size_t received = detail.find(" required but received ");
    if (atMost != std::string::npos && received != std::string::npos)
        return "最多只能给出 " + detail.substr(atMost + 8, received - atMost - 8) + " 个，却给出了 " +
            detail.substr(received + 23) + " 个。";
    return "命令行有误(" + detail + ")。";
}

// Help texts in Chinese; the usage line names the whole command.
class TChineseFormatter : public CLI::Formatter {
public:
    TChineseFormatter()
    {
        label("Usage", "用法");
        label("OPTIONS", "选项");
        label("SUBCOMMAND", "命令");
        label("SUBCOMMANDS", "命令");
        label("Positionals", "参数");
        label("REQUIRED", "");
        label("Excludes", "不能与之同用");
        column_width(34);
    }
    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        std::string path;
        for (const CLI::App* at = app; at; at = at->get_parent())
            path = at->get_name() + (path.empty() ? "" : " " + path);
        return CLI::Formatter::make_usage(app, path.empty() ? name : path);
    }
};

// Every command's help flag in the group of the other options.
void GroupHelpFlags(CLI::App& app)
{
    if (CLI::Option* help = app.get_help_ptr())
        help->group("选项");
    for (CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        GroupHelpFlags(*sub);
}

// "help COMMAND ..." is "COMMAND ... --help"; "help" alone is "--help".
// Returned last word first, as CLI11 takes them.
std::vector<std::string> CommandWords(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    size_t first = 0; // the first word after the program's own options
    while (first < words.size() && (words[first] == "--db" || words[first].rfind("--db=", 0) == 0))
        first += words[first] == "--db" ? 2 : 1;
    if (first < words.size() && words[first] == "help") {
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(first));
        words.push_back("--help");
    }
    std::reverse(words.begin(), words.end());
    return words;
}

// A command line CLI11 refused: the usage line, the nearest command or
// option to a misspelt one, and where help is. Status 2.
int RefuseCommandLine(const CLI::App& app, const CLI::ParseError& e)
{
    std::string unknown = UnknownCommand(app);
    std::string misspelt = unknown;
    if (misspelt.empty())
        for (const std::string& word : app.remaining())
            if (word.rfind("--", 0) == 0) {
                misspelt = word.substr(0, word.find('='));
                break;
            }
    std::string deepestWord;
    const CLI::App* at = &app;
    while (!at->get_subcommands().empty())
        at = at->get_subcommands().front();
    for (const std::string& word : at->remaining())
        if (word.rfind("--", 0) == 0) {
            deepestWord = word.substr(0, word.find('='));
            break;
        }
    if (!deepestWord.empty())
        misspelt = deepestWord;
    std::cerr << UsageLine(app, e, unknown) << ' ' << (misspelt.empty() ? "" : Suggestion(app, misspelt)) << kHelpHint
              << '\n';
    return 2;
}

int Run(int argc, char** argv)
{
    CLI::App app("javagen-cli: Java 代码生成器(命令行版)", "javagen-cli");
    app.formatter(std::make_shared<TChineseFormatter>());
    app.option_defaults()->group("选项");
    app.set_help_flag("-h,--help", "显示帮助(用在命令之后显示该命令的帮助)");
    app.set_version_flag("--version", std::string("javagen-cli ") + JAVAGEN_VERSION, "显示程序名称和版本");
    std::string dbPath = "projects.mdb";
    app.add_option("--db", dbPath, "模型数据库文件，默认为当前目录下的 projects.mdb(不存在时自动创建)")
        ->type_name("FILE");
    app.require_subcommand(1);
    app.footer(kFooter);
    TCliAction action;
    AddModelCommands(app, action);
    AddGenerateCommand(app, action);
    AddModelFileCommands(app, action);
    AddImportDbCommand(app, action);
    AddPreviewCommand(app, action);
    GroupHelpFlags(app);

    try {
        app.parse(CommandWords(argc, argv));
    } catch (const CLI::CallForHelp&) {
        // The help of the command it follows, or of the program.
        const CLI::App* shown = &app;
        while (!shown->get_subcommands().empty())
            shown = shown->get_subcommands().front();
        std::cout << shown->help();
        return 0;
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        return RefuseCommandLine(app, e);
    }

    try {
        std::string fault = DatabasePathFault(dbPath);
        if (!fault.empty())
            throw TUsageError(fault);
        TDbHelper::SetDatabasePath(dbPath);
        return action ? action() : 0;
    } catch (const TUsageError& e) {
        std::cerr << e.what() << ' ' << kHelpHint << '\n';
        return 2;
    } catch (const TRefused& e) {
        std::cerr << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 3;
    }
}

} // namespace

int main(int argc, char** argv)
{
    TFileOperate::FailWritesOverTheSizeLimit();
    InstallTargets();
    int status = Run(argc, argv);
    // An older model file was upgraded on the way: say so, with its copy.
    std::string upgraded = TDbHelper::TakeUpgradeNotice();
    if (!upgraded.empty())
        std::cerr << "提示: " << upgraded << '\n';
    return status;
}
