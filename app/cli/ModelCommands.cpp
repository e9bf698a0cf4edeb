// javagen-cli project, class and member: the model commands, each one call
// of the command layer the workbench uses too.
#include "CliApp.h"

#include "AutoCode.h"
#include "OutputFolder.h"
#include "ProjectSettings.h"

#include "ClassDAO.h"
#include "DbHelper.h"
#include "MemberDAO.h"
#include "MemberFields.h"
#include "MemberTypes.h"
#include "ModelCommands.h"
#include "ModelReads.h"
#include "ProjectDAO.h"

#include <deque>
#include <iostream>
#include <memory>

namespace {

// Prints the confirmation of a command that was done; a refusal is thrown.
int Report(const TCommandResult& result)
{
    if (!result.Done())
        throw TRefused(result.message);
    std::cout << result.message << '\n';
    return 0;
}

int FindMemberId(int classId, const std::string& memberName)
{
    int memberId = FindMemberIdByName(classId, memberName);
    if (memberId == -1)
        throw TRefused("找不到成员: " + memberName);
    return memberId;
}

void PrintMember(const TMemberRow& row, bool all)
{
    std::cout << row.memberId << '\t' << row.name << '\t' << row.type << '\t' << row.length;
    for (bool flag : row.flags)
        std::cout << '\t' << (flag ? 1 : 0);
    std::cout << '\t' << row.comment;
    if (all)
        for (const auto& value : row.columnData)
            std::cout << '\t' << value;
    std::cout << '\n';
}

CLI::App* Command(CLI::App& parent, const std::string& name, const std::string& description)
{
    CLI::App* command = parent.add_subcommand(name, description);
    command->group("命令");
    return command;
}

// A positional argument every command of this file needs.
void Positional(CLI::App* command, const std::string& name, std::string& value, const std::string& description)
{
    command->add_option(name, value, description)->required()->type_name("");
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

    CLI::App* remove = Command(*project, "delete", "删除工程(连同它的类和成员)");
    Positional(remove, "NAME", *name, "工程名称");
    remove->callback(
        [&action, name] { action = [name] { return Report(TModelCommands::DeleteProject(FindProjectId(*name))); }; });

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
                std::cout << "url\t" << stored.url << "\nuser\t" << stored.user << "\ndriver\t" << stored.driver
                          << "\ndialect\t" << stored.dialect << '\n';
                return 0;
            }
            return Report(TModelCommands::SetProjectDatabase(projectId, db->database));
        };
    });

    struct TSettingsArgs {
        std::string packageName;
        CLI::Option* package = nullptr;
        CLI::Option* webapp = nullptr;
        CLI::Option* noWebapp = nullptr;
    };
    auto set = std::make_shared<TSettingsArgs>();
    CLI::App* settings = Command(*project, "settings",
        "工程保存的设置(与工作台共用，generate 和 preview 默认使用): 不给选项时列出 package、webapp");
    Positional(settings, "NAME", *name, "工程名称");
    set->package = settings->add_option("--package", set->packageName, "保存包名")->type_name("NAME");
    set->webapp = settings->add_flag("--webapp", "保存: 同时生成网页");
    set->noWebapp = settings->add_flag("--no-webapp", "保存: 不生成网页");
    set->webapp->excludes(set->noWebapp);
    settings->callback([&action, name, set] {
        action = [name, set] {
            int projectId = FindProjectId(*name);
            if (set->package->count() == 0 && set->webapp->count() == 0 && set->noWebapp->count() == 0) {
                TProjectSettings stored = ReadProjectSettings(projectId);
                std::cout << "package\tcom." << stored.packageName << (stored.packageStored ? "" : "\t(默认)")
                          << "\nwebapp\t" << (stored.webapp ? 1 : 0) << '\n';
                return 0;
            }
            int status = 0;
            if (set->package->count() > 0)
                status = Report(TModelCommands::SetProjectPackage(projectId, set->packageName));
            if (status == 0 && set->webapp->count() + set->noWebapp->count() > 0)
                status = Report(TModelCommands::SetProjectWebapp(projectId, set->webapp->count() > 0));
            return status;
        };
    });

    CLI::App* list = Command(*project, "list", "列出工程，每行: 编号<TAB>工程名称");
    list->callback([&action] {
        action = [] {
            for (const auto& entry : ReadProjects())
                std::cout << entry.id << '\t' << entry.text << '\n';
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
                std::cout << row.classId << '\t' << row.className << '\t' << row.friendName << '\n';
            return 0;
        };
    });
}

// The member options of add and update: a flag pair sets a flag one way or
// the other, neither keeps it. One pair per entry flag, in its order.
struct TMemberArgs {
    std::string project, className, name, type, newName, newType, length, comment;
    bool hasLength = false, hasComment = false, all = false;
    std::deque<bool> on, off; // never resized after construction: options hold references
    std::deque<std::string> texts; // per entry text field
    std::vector<bool> hasText;
    TMemberArgs()
        : on(EntryFlagFields().size())
        , off(EntryFlagFields().size())
        , texts(EntryTextFields().size())
        , hasText(EntryTextFields().size())
    {
    }
};

void AddMemberOptions(CLI::App* command, TMemberArgs& a, bool update)
{
    command->add_option("--length", a.length, "长度(字符串类型有效)")->type_name("N");
    command->add_option("--comment", a.comment, "成员注释")->type_name("TEXT");
    std::vector<const TMemberField*> fields = EntryTextFields();
    for (size_t i = 0; i < fields.size(); ++i)
        command->add_option(std::string("--") + fields[i]->cliOption, a.texts[i], fields[i]->cliHelp)
            ->type_name("VALUE");
    std::vector<const TMemberField*> flags = EntryFlagFields();
    for (size_t i = 0; i < flags.size(); ++i) {
        std::string name = flags[i]->cliOption;
        std::string text = flags[i]->tableCaption ? flags[i]->tableCaption : flags[i]->checkCaption;
        // A new member starts as the add dialog does: only the option that
        // changes the start value is offered.
        if (!update && flags[i]->newValue == 1) {
            command->add_flag("--no-" + name, a.off[i], "取消" + text);
            continue;
        }
        CLI::Option* on = command->add_flag("--" + name, a.on[i], "设为" + text);
        if (update) {
            CLI::Option* off = command->add_flag("--no-" + name, a.off[i], "取消" + text);
            on->excludes(off);
        }
    }
}

void ApplyFlags(const TMemberArgs& a, TMemberEntry& entry)
{
    std::vector<const TMemberField*> fields = EntryTextFields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (a.hasText[i])
            entry.*fields[i]->entryText = a.texts[i];
    std::vector<const TMemberField*> flags = EntryFlagFields();
    for (size_t i = 0; i < flags.size(); ++i) {
        if (a.on[i])
            entry.*flags[i]->entryFlag = true;
        if (a.off[i])
            entry.*flags[i]->entryFlag = false;
    }
}

// Which of the text options were given.
void NoteTexts(CLI::App& command, TMemberArgs& a)
{
    std::vector<const TMemberField*> fields = EntryTextFields();
    for (size_t i = 0; i < fields.size(); ++i)
        a.hasText[i] = command.count(std::string("--") + fields[i]->cliOption) > 0;
}

void AddMemberCommands(CLI::App& app, TCliAction& action)
{
    CLI::App* member = Command(app, "member",
        "成员: add PROJECT CLASS NAME TYPE ... | update PROJECT CLASS NAME ... | delete PROJECT CLASS NAME | list "
        "PROJECT CLASS");
    member->require_subcommand(1);
    auto a = std::make_shared<TMemberArgs>();

    CLI::App* add = Command(*member, "add", "添加成员(默认同添加对话框: 只勾选“查询界面是否显示”，长度 20)");
    Positional(add, "PROJECT", a->project, "工程名称");
    Positional(add, "CLASS", a->className, "类英文名称");
    Positional(add, "NAME", a->name, "成员名称");
    Positional(add, "TYPE", a->type, "成员类型");
    AddMemberOptions(add, *a, false);
    add->callback([&action, a, add] {
        a->hasLength = add->count("--length") > 0;
        NoteTexts(*add, *a);
        action = [a] {
            int projectId = FindProjectId(a->project);
            int classId = FindClassId(projectId, a->className);
            TMemberEntry entry;
            entry.name = a->name;
            entry.type = MemberTypeWord(a->type);
            entry.lengthText = a->hasLength ? a->length : "20";
            entry.comment = a->comment;
            ApplyFlags(*a, entry);
            return Report(TModelCommands::AddMember(projectId, classId, entry));
        };
    });

    CLI::App* update = Command(*member, "update", "修改成员(未给出的值保持不变)");
    Positional(update, "PROJECT", a->project, "工程名称");
    Positional(update, "CLASS", a->className, "类英文名称");
    Positional(update, "NAME", a->name, "成员名称");
    update->add_option("--name", a->newName, "新的成员名称")->type_name("NEW");
    update->add_option("--type", a->newType, "新的成员类型")->type_name("T");
    AddMemberOptions(update, *a, true);
    update->callback([&action, a, update] {
        a->hasLength = update->count("--length") > 0;
        NoteTexts(*update, *a);
        a->hasComment = update->count("--comment") > 0;
        bool hasName = update->count("--name") > 0;
        bool hasType = update->count("--type") > 0;
        action = [a, hasName, hasType] {
            int projectId = FindProjectId(a->project);
            int classId = FindClassId(projectId, a->className);
            int memberId = FindMemberId(classId, a->name);
            std::optional<TMember> stored = TMemberDAO().GetMember(memberId);
            if (!stored)
                throw TRefused("找不到成员: " + a->name);
            // As the change dialog starts: from the stored member.
            TMemberEntry entry = EntryOf(*stored);
            if (hasName)
                entry.name = a->newName;
            entry.type = MemberTypeWord(hasType ? a->newType : stored->GetMemberType());
            if (a->hasLength)
                entry.lengthText = a->length;
            if (a->hasComment)
                entry.comment = a->comment;
            ApplyFlags(*a, entry);
            return Report(TModelCommands::ChangeMember(memberId, entry));
        };
    });

    CLI::App* remove = Command(*member, "delete", "删除成员");
    Positional(remove, "PROJECT", a->project, "工程名称");
    Positional(remove, "CLASS", a->className, "类英文名称");
    Positional(remove, "NAME", a->name, "成员名称");
    remove->callback([&action, a] {
        action = [a] {
            int classId = FindClassId(FindProjectId(a->project), a->className);
            return Report(TModelCommands::DeleteMember(FindMemberId(classId, a->name)));
        };
    });

    CLI::App* list = Command(*member, "list",
        "列出类的成员，每行: 编号 名称 类型 长度 主键 必填 参与查询 下拉框显示 界面显示 注释(以 TAB 分隔，标志为 0/1)");
    Positional(list, "PROJECT", a->project, "工程名称");
    Positional(list, "CLASS", a->className, "类英文名称");
    list->add_flag("--all", a->all, "每行最后再列出从数据库导入的信息: 列名 可为空 主键生成方式 精度 小数位数");
    list->callback([&action, a] {
        action = [a] {
            for (const auto& row : ReadClassMembers(FindClassId(FindProjectId(a->project), a->className)))
                PrintMember(row, a->all);
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
