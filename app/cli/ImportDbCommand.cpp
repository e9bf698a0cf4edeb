// javagen-cli import-db: a project from the tables of a live MariaDB or
// MySQL database.
#include "app/cli/CliApp.h"
#include "model/rules/TargetFacts.h"

#include "model/commands/ProjectSettings.h"
#include "model/import/DbSchema.h"
#include "model/import/SchemaMapping.h"
#include "model/store/DatabaseKind.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

struct TImportDbArgs {
    std::string project;
    TDbConnection connection;
    std::string tables;
    bool dryRun = false;
    bool textQuery = false;
    bool tablesGiven = false;
    std::string target; // empty: the default
    std::string port; // read as text: a number out of range must not wrap; empty: the kind's own
    std::string kind = "mysql";
};

unsigned Port(const std::string& text)
{
    bool digits = !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
    unsigned long port = digits ? std::stoul(text) : 0;
    if (port < 1 || port > 65535)
        throw TUsageError("--port 必须是 1 到 65535 之间的整数: " + text);
    return static_cast<unsigned>(port);
}

// The password from JAVAGEN_DB_PASSWORD, or asked for on the terminal
// without echo; never from the command line, where others could read it.
std::string Password()
{
    if (const char* password = std::getenv("JAVAGEN_DB_PASSWORD"))
        return password;
    int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (tty < 0)
        throw TUsageError("没有终端可以询问密码：请用环境变量 JAVAGEN_DB_PASSWORD 给出数据库密码。");
    const char prompt[] = "数据库密码: ";
    (void)!::write(tty, prompt, sizeof prompt - 1);
    termios saved {};
    bool quiet = tcgetattr(tty, &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(tty, TCSAFLUSH, &silent);
    }
    std::string password;
    char c;
    while (::read(tty, &c, 1) == 1 && c != '\n')
        password += c;
    if (quiet)
        tcsetattr(tty, TCSAFLUSH, &saved);
    (void)!::write(tty, "\n", 1);
    ::close(tty);
    return password;
}

std::vector<std::string> SplitTables(const std::string& list)
{
    std::vector<std::string> tables;
    size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        size_t comma = list.find(',', start);
        std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!name.empty())
            tables.push_back(name);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return tables;
}

int ImportDb(TImportDbArgs a)
{
    if (!FindDatabaseKind(a.kind))
        throw TUsageError("--kind 只能是 " + DatabaseKindNames(" 或 ") + "。");
    a.connection.kind = a.kind;
    a.connection.port = Port(!a.port.empty() ? a.port : a.kind == kDatabasePostgresql ? "5432" : "3306");
    std::vector<std::string> tables = SplitTables(a.tables);
    // An empty list would mean every table.
    if (a.tablesGiven && tables.empty())
        throw TUsageError("--tables 没有给出表名。");
    if (!a.target.empty() && TargetCaption(a.target).empty())
        throw TUsageError("--target 只能是 " + TargetNames(" 或 ") + "。");
    for (auto [value, option] : { std::pair(&a.connection.host, "--host"), std::pair(&a.connection.user, "--user"),
             std::pair(&a.connection.database, "--database") })
        if (value->empty())
            throw TUsageError(std::string(option) + " 不能为空。");
    a.connection.password = Password();
    TImportPlan plan = PlanSchemaImport(ReadDbSchema(a.connection), tables, a.textQuery, a.target);
    plan.database = DatabaseOf(a.connection);
    for (const auto& line : plan.Report())
        std::cout << line << '\n';
    if (plan.classes.empty())
        throw TRefused("没有可以导入的表。");
    if (a.dryRun) {
        std::cerr << "(试运行，没有写入任何东西)\n";
        return 0;
    }
    TCommandResult result = ApplyImportPlan(plan, a.project);
    if (!result.Done())
        throw TRefused(result.message);
    std::cerr << result.message << '\n';
    return 0;
}

} // namespace

void AddImportDbCommand(CLI::App& app, TCliAction& action)
{
    auto a = std::make_shared<TImportDbArgs>();
    CLI::App* command = app.add_subcommand("import-db",
        "从 MariaDB/MySQL 或 PostgreSQL 数据库的表新建工程(密码取自环境变量 JAVAGEN_DB_PASSWORD，没有时在终端询问)");
    command->group("命令");
    command->add_option("PROJECT", a->project, "新工程的名称")->required()->type_name("");
    command->add_option("--host", a->connection.host, "数据库服务器")->required()->type_name("H");
    command->add_option("--port", a->port, "端口(1 到 65535)，默认 3306(PostgreSQL 为 5432)")->type_name("P");
    command
        ->add_option(
            "--kind", a->kind, "数据库类型: " + DatabaseKindChoices() + "；新工程生成的配置、脚本和驱动随之而定")
        ->type_name(DatabaseKindNames());
    command->add_option("--user", a->connection.user, "用户名")->required()->type_name("U");
    command->add_option("--database", a->connection.database, "数据库名")->required()->type_name("D");
    command->add_option("--tables", a->tables, "只导入这些表(以逗号分隔)，默认全部")->type_name("t1,t2,...");
    command->add_flag("--query-text", a->textQuery, "文本列设为参与查询的成员");
    command
        ->add_option("--target", a->target,
            "新工程的目标框架: " + TargetChoices(" 或 ") + "；目标框架为 " + BinaryTargetNames() +
                " 时 BLOB 等二进制列导入为可上传、下载的二进制成员")
        ->type_name(TargetNames());
    command->add_flag("--dry-run", a->dryRun, "只列出将创建的类和成员、改名和跳过的表和列，不写入任何东西");
    command->callback([&action, a, command] {
        a->tablesGiven = command->count("--tables") > 0;
        action = [a] { return ImportDb(*a); };
    });
}
