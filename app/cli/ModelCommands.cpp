#include "CliArgs.h"
#include "Commands.h"

#include "ClassDAO.h"
#include "EntryRules.h"
#include "MemberDAO.h"
#include "MemberTypes.h"
#include "ProjectDAO.h"

#include <iostream>

namespace {

void Require(const TVerdict& verdict)
{
    if (!verdict.Accepted())
        throw TRefused(verdict.message);
}

std::string CommandWord(const std::vector<std::string>& words, const std::string& usage)
{
    if (words.empty())
        throw TUsageError("用法: javagen-cli " + usage);
    return words[0];
}

std::vector<std::string> Rest(const std::vector<std::string>& words)
{
    return { words.begin() + 1, words.end() };
}

// The four simple types may also be given by their English words.
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
    return word;
}

int FindMemberId(int classId, const std::string& memberName)
{
    auto rows = TMemberDAO().OpenClassMembers(classId);
    for (; !rows->Eof(); rows->Next())
        if (rows->AsText("memberName") == memberName)
            return rows->AsInteger("memberId");
    throw TRefused("找不到成员: " + memberName);
}

} // namespace

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

int RunProjectCommand(const std::vector<std::string>& words)
{
    const std::string usage = "project add|rename|delete|list ...";
    std::string verb = CommandWord(words, usage);
    TCliArgs args(Rest(words), {}, {});
    TProjectDAO projects;
    if (verb == "add") {
        args.ExpectPositional(1, "project add NAME");
        Require(CheckNewProject(args.Positional()[0]));
        projects.AddProject(args.Positional()[0]);
        std::cout << "工程名称添加成功！\n";
    } else if (verb == "rename") {
        args.ExpectPositional(2, "project rename NAME NEW");
        int projectId = FindProjectId(args.Positional()[0]);
        Require(CheckRenameProject(projectId, args.Positional()[1]));
        projects.RenameProject(projectId, args.Positional()[1]);
        std::cout << "工程名称修改成功！\n";
    } else if (verb == "delete") {
        args.ExpectPositional(1, "project delete NAME");
        projects.DeleteProject(FindProjectId(args.Positional()[0]));
        std::cout << "删除成功!\n";
    } else if (verb == "list") {
        args.ExpectPositional(0, "project list");
        for (const auto& entry : projects.ListProjects())
            std::cout << entry.id << '\t' << entry.text << '\n';
    } else {
        throw TUsageError("用法: javagen-cli " + usage);
    }
    return 0;
}

int RunClassCommand(const std::vector<std::string>& words)
{
    const std::string usage = "class add|update|delete|list ...";
    std::string verb = CommandWord(words, usage);
    TCliArgs args(Rest(words), {}, {});
    TClassDAO classes;
    if (verb == "add") {
        args.ExpectPositional(3, "class add PROJECT CLASS FRIEND");
        int projectId = FindProjectId(args.Positional()[0]);
        Require(CheckAddClass(projectId, args.Positional()[1], args.Positional()[2]));
        classes.AddClass(projectId, args.Positional()[1], args.Positional()[2]);
        std::cout << "类名称添加成功！\n";
    } else if (verb == "update") {
        args.ExpectPositional(4, "class update PROJECT CLASS NEWCLASS NEWFRIEND");
        int projectId = FindProjectId(args.Positional()[0]);
        int classId = FindClassId(projectId, args.Positional()[1]);
        Require(CheckUpdateClass(projectId, classId, args.Positional()[2], args.Positional()[3]));
        classes.UpdateClass(projectId, classId, args.Positional()[2], args.Positional()[3]);
        std::cout << "类名称更新成功\n";
    } else if (verb == "delete") {
        args.ExpectPositional(2, "class delete PROJECT CLASS");
        int projectId = FindProjectId(args.Positional()[0]);
        classes.DeleteClass(FindClassId(projectId, args.Positional()[1]));
        std::cout << "类对象删除成功!\n";
    } else if (verb == "list") {
        args.ExpectPositional(1, "class list PROJECT");
        int projectId = FindProjectId(args.Positional()[0]);
        for (const auto& entry : classes.ListClasses(projectId))
            std::cout << entry.id << '\t' << entry.text << '\t' << classes.GetFriendName(entry.id) << '\n';
    } else {
        throw TUsageError("用法: javagen-cli " + usage);
    }
    return 0;
}

namespace {

const std::set<std::string> kMemberValueOptions = { "--length", "--comment", "--name", "--type" };
const std::set<std::string> kMemberSwitches = { "--primary", "--no-primary", "--required", "--no-required", "--query",
    "--no-query", "--display", "--no-display", "--query-display", "--no-query-display" };

// A switch pair sets the flag one way or the other; neither keeps it.
void ApplySwitch(const TCliArgs& args, const std::string& name, bool& flag)
{
    if (args.Switch("--" + name))
        flag = true;
    if (args.Switch("--no-" + name))
        flag = false;
}

void PrintMember(const TResultSet& rows)
{
    std::cout << rows.AsText("memberId") << '\t' << rows.AsText("memberName") << '\t' << rows.AsText("memberType")
              << '\t' << rows.AsText("memberLength");
    for (const char* flag : { "memberIsPri", "memberIsMust", "queryFlag", "memberIsDisplay", "memberQueryDisplay" })
        std::cout << '\t' << (rows.AsInteger(flag) == 1 ? 1 : 0);
    std::cout << '\t' << rows.AsText("memberComment") << '\n';
}

void RejectContradictions(const TCliArgs& args)
{
    for (const char* name : { "primary", "required", "query", "display", "query-display" })
        if (args.Switch(std::string("--") + name) && args.Switch(std::string("--no-") + name))
            throw TUsageError(std::string("选项 --") + name + " 与 --no-" + name + " 不能同时使用");
}

} // namespace

int RunMemberCommand(const std::vector<std::string>& words)
{
    const std::string usage = "member add|update|delete|list ...";
    std::string verb = CommandWord(words, usage);
    TCliArgs args(Rest(words), kMemberValueOptions, kMemberSwitches);
    RejectContradictions(args);
    TMemberDAO members;
    if (verb == "add") {
        args.ExpectPositional(4,
            "member add PROJECT CLASS NAME TYPE [--length N] [--primary] [--required] "
            "[--query] [--display] [--no-query-display] [--comment TEXT]");
        if (args.Has("--name") || args.Has("--type"))
            throw TUsageError("member add 不接受 --name 和 --type，名称和类型直接写在命令中");
        int projectId = FindProjectId(args.Positional()[0]);
        int classId = FindClassId(projectId, args.Positional()[1]);
        // As the add dialog starts: nothing ticked but "查询界面是否显示", length 20.
        TMemberEntry entry;
        entry.name = args.Positional()[2];
        entry.type = MemberTypeWord(args.Positional()[3]);
        entry.lengthText = args.Value("--length", "20");
        entry.comment = args.Value("--comment");
        ApplySwitch(args, "primary", entry.isPri);
        ApplySwitch(args, "required", entry.isMust);
        ApplySwitch(args, "query", entry.queryFlag);
        ApplySwitch(args, "display", entry.isDisplay);
        ApplySwitch(args, "query-display", entry.queryDisplay);
        Require(CheckMemberEntry(TMemberDialog::Add, projectId, classId, 0, entry));
        members.AddMember(BuildMemberRecord(entry, projectId, classId, 0));
        std::cout << "类成员属性添加成功!\n";
    } else if (verb == "update") {
        args.ExpectPositional(3,
            "member update PROJECT CLASS NAME [--name NEW] [--type T] [--length N] "
            "[--comment TEXT] [--primary|--no-primary] ...");
        int projectId = FindProjectId(args.Positional()[0]);
        int classId = FindClassId(projectId, args.Positional()[1]);
        int memberId = FindMemberId(classId, args.Positional()[2]);
        auto stored = members.GetMember(memberId);
        if (!stored)
            throw TRefused("找不到成员: " + args.Positional()[2]);
        // As the change dialog starts: from the stored member.
        TMemberEntry entry;
        entry.name = args.Value("--name", stored->GetMemberName());
        entry.type = MemberTypeWord(args.Value("--type", stored->GetMemberType()));
        entry.lengthText = args.Value("--length", std::to_string(stored->GetMemberLength()));
        entry.comment = args.Value("--comment", stored->GetMemberComment());
        entry.isPri = stored->GetMemberIsPri() == 1;
        entry.isMust = stored->GetMemberIsMust() == 1;
        entry.queryFlag = stored->GetQueryFlag() == 1;
        entry.isDisplay = stored->GetMemberIsDisplay() == 1;
        entry.queryDisplay = stored->GetMemberQueryDisplay() == 1;
        ApplySwitch(args, "primary", entry.isPri);
        ApplySwitch(args, "required", entry.isMust);
        ApplySwitch(args, "query", entry.queryFlag);
        ApplySwitch(args, "display", entry.isDisplay);
        ApplySwitch(args, "query-display", entry.queryDisplay);
        Require(CheckMemberEntry(TMemberDialog::Change, projectId, classId, memberId, entry));
        members.UpdateMember(BuildMemberRecord(entry, projectId, classId, memberId));
        std::cout << "类成员属性更新成功!\n";
    } else if (verb == "delete") {
        args.ExpectPositional(3, "member delete PROJECT CLASS NAME");
        int projectId = FindProjectId(args.Positional()[0]);
        int classId = FindClassId(projectId, args.Positional()[1]);
        members.DeleteMember(FindMemberId(classId, args.Positional()[2]));
        std::cout << "成员属性删除成功\n";
    } else if (verb == "list") {
        args.ExpectPositional(2, "member list PROJECT CLASS");
        int projectId = FindProjectId(args.Positional()[0]);
        auto rows = members.OpenClassMembers(FindClassId(projectId, args.Positional()[1]));
        for (; !rows->Eof(); rows->Next())
            PrintMember(*rows);
    } else {
        throw TUsageError("用法: javagen-cli " + usage);
    }
    return 0;
}
