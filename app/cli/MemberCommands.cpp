// javagen-cli member: add, update, delete and list a class's members.
#include "app/cli/CliApp.h"
#include "app/cli/CommandHelpers.h"

#include "model/rules/EntryRules.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"

#include <deque>
#include <memory>
#include <vector>

namespace {

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

// member add: a new member, as the add dialog starts one.
int AddMember(const TMemberArgs& a)
{
    int projectId = FindProjectId(a.project);
    int classId = FindClassId(projectId, a.className);
    TMemberEntry entry;
    entry.name = a.name;
    entry.type = MemberTypeWord(a.type);
    entry.lengthText = a.hasLength ? a.length : "20";
    entry.comment = a.comment;
    ApplyFlags(a, entry);
    return Report(TModelCommands::AddMember(projectId, classId, entry));
}

// member update: as the change dialog starts, from the stored member; the
// values given replace its own.
int UpdateMember(const TMemberArgs& a, bool hasName, bool hasType)
{
    int projectId = FindProjectId(a.project);
    int classId = FindClassId(projectId, a.className);
    int memberId = FindMemberId(classId, a.name);
    std::optional<TMember> stored = ReadMember(memberId);
    if (!stored)
        throw TRefused("找不到成员: " + a.name);
    TMemberEntry entry = EntryOf(*stored);
    if (hasName)
        entry.name = a.newName;
    entry.type = MemberTypeWord(hasType ? a.newType : stored->GetMemberType());
    if (a.hasLength)
        entry.lengthText = a.length;
    if (a.hasComment)
        entry.comment = a.comment;
    ApplyFlags(a, entry);
    return Report(TModelCommands::ChangeMember(memberId, entry));
}

} // namespace

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
        action = [a] { return AddMember(*a); };
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
        action = [a, hasName, hasType] { return UpdateMember(*a, hasName, hasType); };
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
    list->add_flag("--all", a->all,
        "每行最后再列出从数据库导入的信息: 列名 可为空 主键生成方式 精度 小数位数 由数据库填写 可选值");
    list->callback([&action, a] {
        action = [a] {
            for (const auto& row : ReadClassMembers(FindClassId(FindProjectId(a->project), a->className)))
                PrintMember(row, a->all);
            return 0;
        };
    });
}
