// javagen-cli project, class and member: the model commands, each one call
// of the command layer the workbench uses too.
#include "app/cli/CliApp.h"
#include "app/cli/CommandHelpers.h"
#include "model/rules/TargetFacts.h"
#include "model/store/DatabaseKind.h"

#include "codegen/io/OutputFolder.h"
#include "codegen/run/AutoCode.h"
#include "model/commands/ProjectSettings.h"

#include "model/commands/ModelCommands.h"
#include "model/commands/ModelReads.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"
#include "model/store/ProjectDAO.h"

#include <deque>
#include <iostream>
#include <memory>

namespace {

// project rename: the model, then the generated folder when it can move.
void AddProjectRename(CLI::App* project, TCliAction& action, const std::shared_ptr<std::string>& name,
    const std::shared_ptr<std::string>& newName)
{
    auto renameRoot = std::make_shared<std::string>();
    CLI::App* rename = Command(
        *project, "rename", "修改工程名称；ROOT/projects/NAME 存在时一同改名(合并生成需要其中的手工修改和基准)");
    Positional(rename, "NAME", *name, "工程名称");
    Positional(rename, "NEW", *newName, "新的工程名称");
    rename->add_option("--root", *renameRoot, "生成目录所在的 ROOT，默认为程序所在目录")->type_name("DIR");
    rename->callback([&action, name, newName, renameRoot] {
        action = [name, newName, renameRoot] {
            int status = Report(TModelCommands::RenameProject(FindProjectId(*name), *newName));
            if (status != 0)
                return status;
            TFolderMove move = PlanFolderMove(renameRoot->empty() ? ProgramDirectory() : *renameRoot, *name, *newName);
            if (move.possible) {
                MoveFolder(move);
                std::cerr << "生成目录 " << move.from << " 已改名为 " << move.to << '\n';
            } else if (!move.why.empty()) {
                std::cerr << "生成目录 " << move.from << " 没有改名：" << move.why << '\n';
            }
            return 0;
        };
    });
}

// project database: show or set the database an application talks to.
void AddProjectDatabase(CLI::App* project, TCliAction& action, const std::shared_ptr<std::string>& name)
{
    struct TDatabaseArgs {
        TProjectDatabase database;
        bool given = false;
    };
    auto db = std::make_shared<TDatabaseArgs>();
    CLI::App* database = Command(*project, "database",
        "工程的应用程序使用的已有数据库(从数据库导入时自动设置): 不给选项时列出 url、user、driver、dialect");
    Positional(database, "NAME", *name, "工程名称");
    database->add_option("--url", db->database.url, "JDBC URL")->type_name("URL");
    database->add_option("--user", db->database.user, "数据库用户名")->type_name("USER");
    database->add_option("--driver", db->database.driver, "JDBC 驱动类")->type_name("CLASS");
    database->add_option("--dialect", db->database.dialect, "Hibernate 方言类")->type_name("CLASS");
    database->callback([&action, name, db, database] {
        db->given = database->count("--url") + database->count("--user") + database->count("--driver") +
                database->count("--dialect") >
            0;
        action = [name, db] {
            int projectId = FindProjectId(*name);
            TProjectDatabase stored = TProjectDAO().GetDatabase(projectId);
            if (!db->given) {
                std::cout << "url\t" << Field(stored.url) << "\nuser\t" << Field(stored.user) << "\ndriver\t"
                          << Field(stored.driver) << "\ndialect\t" << Field(stored.dialect) << '\n';
                return 0;
            }
            return Report(TModelCommands::SetProjectDatabase(projectId, db->database));
        };
    });
}

// project settings: show or set the package and the page setting.
void AddProjectSettings(CLI::App* project, TCliAction& action, const std::shared_ptr<std::string>& name)
{
    struct TSettingsArgs {
        std::string packageName;
        CLI::Option* package = nullptr;
        CLI::Option* webapp = nullptr;
        CLI::Option* noWebapp = nullptr;
        std::string target;
        CLI::Option* targetOption = nullptr;
        std::string database;
        CLI::Option* databaseOption = nullptr;
    };
    auto set = std::make_shared<TSettingsArgs>();
    CLI::App* settings = Command(*project, "settings",
        "工程保存的设置(与工作台共用，generate 和 preview 默认使用): 不给选项时列出 package、webapp、target(数据库不是 "
        "mysql 时还有 database)");
    Positional(settings, "NAME", *name, "工程名称");
    set->package = settings->add_option("--package", set->packageName, "保存包名")->type_name("NAME");
    set->webapp = settings->add_flag("--webapp", "保存: 同时生成网页");
    set->noWebapp = settings->add_flag("--no-webapp", "保存: 不生成网页");
    set->webapp->excludes(set->noWebapp);
    set->targetOption = settings->add_option("--target", set->target, "保存目标框架: " + TargetChoices(" 或 "))
                            ->type_name(TargetNames());
    set->databaseOption = settings
                              ->add_option("--database", set->database,
                                  "保存数据库类型(生成的配置、sql/ 脚本和驱动随之改变): " + DatabaseKindChoices())
                              ->type_name(DatabaseKindNames());
    settings->callback([&action, name, set] {
        action = [name, set] {
            int projectId = FindProjectId(*name);
            if (set->package->count() == 0 && set->webapp->count() == 0 && set->noWebapp->count() == 0 &&
                set->targetOption->count() == 0 && set->databaseOption->count() == 0) {
                TProjectSettings stored = ReadProjectSettings(projectId);
                std::cout << "package\tcom." << stored.packageName << (stored.packageStored ? "" : "\t(默认)")
                          << "\nwebapp\t" << (stored.webapp ? 1 : 0) << "\ntarget\t" << stored.target << '\n';
                // The database only when not the default: a MariaDB/MySQL
                // project lists as it always has.
                if (stored.databaseKind != kDatabaseMysql)
                    std::cout << "database\t" << stored.databaseKind << '\n';
                return 0;
            }
            int status = 0;
            if (set->package->count() > 0)
                status = Report(TModelCommands::SetProjectPackage(projectId, set->packageName));
            if (status == 0 && set->webapp->count() + set->noWebapp->count() > 0)
                status = Report(TModelCommands::SetProjectWebapp(projectId, set->webapp->count() > 0));
            if (status == 0 && set->targetOption->count() > 0)
                status = Report(TModelCommands::SetProjectTarget(projectId, set->target));
            if (status == 0 && set->databaseOption->count() > 0)
                status = Report(TModelCommands::SetProjectDatabaseKind(projectId, set->database));
            return status;
        };
    });
}

void AddProjectCommands(CLI::App& app, TCliAction& action)
{
    CLI::App* project = Command(
        app, "project", "工程: add NAME | rename NAME NEW | delete NAME | list | database NAME | settings NAME");
    project->require_subcommand(1);
    auto name = std::make_shared<std::string>();
    auto newName = std::make_shared<std::string>();

    CLI::App* add = Command(*project, "add", "新建工程");
    Positional(add, "NAME", *name, "工程名称");
    add->callback([&action, name] { action = [name] { return Report(TModelCommands::NewProject(*name)); }; });

    AddProjectRename(project, action, name, newName);

    CLI::App* remove = Command(*project, "delete", "删除工程(连同它的类和成员)");
    Positional(remove, "NAME", *name, "工程名称");
    remove->callback(
        [&action, name] { action = [name] { return Report(TModelCommands::DeleteProject(FindProjectId(*name))); }; });

    AddProjectDatabase(project, action, name);
    AddProjectSettings(project, action, name);

    CLI::App* list = Command(*project, "list", "列出工程，每行: 编号<TAB>工程名称");
    list->callback([&action] {
        action = [] {
            for (const auto& entry : ReadProjects())
                std::cout << entry.id << '\t' << Field(entry.text) << '\n';
            return 0;
        };
    });
}

void AddClassCommands(CLI::App& app, TCliAction& action)
{
    CLI::App* cls = Command(app, "class",
        "类: add PROJECT CLASS FRIEND | update PROJECT CLASS NEWCLASS NEWFRIEND | delete PROJECT CLASS | list PROJECT");
    cls->require_subcommand(1);
    struct TArgs {
        std::string project, name, friendName, newName, newFriend, table;
    };
    auto a = std::make_shared<TArgs>();

    CLI::App* add = Command(*cls, "add", "添加类");
    Positional(add, "PROJECT", a->project, "工程名称");
    Positional(add, "CLASS", a->name, "类英文名称");
    Positional(add, "FRIEND", a->friendName, "中文友好名称");
    add->add_option("--table", a->table, "类对应的已有数据表的表名(默认 t_类名，由 Hibernate 创建)")
        ->type_name("TABLE");
    add->callback([&action, a] {
        action = [a] {
            // One transaction: the class with its table, or nothing.
            TCommandResult result;
            TDbHelper().WriteAtomically([&] {
                result = TModelCommands::AddClass(FindProjectId(a->project), a->name, a->friendName);
                if (result.Done() && !a->table.empty()) {
                    std::string message = result.message;
                    result = TModelCommands::SetClassTable(result.id, a->table);
                    result.message = message;
                }
                return result.Done();
            });
            return Report(result);
        };
    });

    CLI::App* update = Command(*cls, "update", "修改类名和友好名称(引用该类的成员随之改名)");
    Positional(update, "PROJECT", a->project, "工程名称");
    Positional(update, "CLASS", a->name, "类英文名称");
    Positional(update, "NEWCLASS", a->newName, "新的类英文名称");
    Positional(update, "NEWFRIEND", a->newFriend, "新的中文友好名称");
    update->callback([&action, a] {
        action = [a] {
            int projectId = FindProjectId(a->project);
            int classId = FindClassId(projectId, a->name);
            return Report(TModelCommands::ChangeClass(projectId, classId, a->newName, a->newFriend));
        };
    });

    CLI::App* remove = Command(*cls, "delete", "删除类(连同它的成员)");
    Positional(remove, "PROJECT", a->project, "工程名称");
    Positional(remove, "CLASS", a->name, "类英文名称");
    remove->callback([&action, a] {
        action = [a] { return Report(TModelCommands::DeleteClass(FindClassId(FindProjectId(a->project), a->name))); };
    });

    CLI::App* list = Command(*cls, "list", "列出工程的类，每行: 编号<TAB>类名<TAB>友好名称");
    Positional(list, "PROJECT", a->project, "工程名称");
    list->callback([&action, a] {
        action = [a] {
            int projectId = FindProjectId(a->project);
            for (const auto& row : ReadClasses(projectId))
                std::cout << row.classId << '\t' << Field(row.className) << '\t' << Field(row.friendName) << '\n';
            return 0;
        };
    });
}

} // namespace

std::string MemberTypeWord(const std::string& word)
{
    if (word == "string")
        return kTypeString;
    if (word == "int")
        return kTypeInteger;
    if (word == "float")
        return kTypeFloat;
    if (word == "date")
        return kTypeDate;
    if (word == "long")
        return kTypeLong;
    if (word == "decimal")
        return kTypeDecimal;
    if (word == "double")
        return kTypeDouble;
    if (word == "binary")
        return kTypeBinary;
    return word;
}

int FindProjectId(const std::string& projectName)
{
    for (const auto& entry : TProjectDAO().ListProjects())
        if (entry.text == projectName)
            return entry.id;
    throw TRefused("找不到工程: " + projectName);
}

int FindClassId(int projectId, const std::string& className)
{
    int classId = TClassDAO().GetClassId(projectId, className);
    if (classId == -1)
        throw TRefused("找不到类: " + className);
    return classId;
}

void AddModelCommands(CLI::App& app, TCliAction& action)
{
    AddProjectCommands(app, action);
    AddClassCommands(app, action);
    AddMemberCommands(app, action);
}
