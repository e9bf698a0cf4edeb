#include "model/commands/ModelCommands.h"
#include "model/store/DatabaseKind.h"

#include "model/commands/ProjectSettings.h"
#include "model/rules/TargetFacts.h"
#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/ProjectDAO.h"
#include "model/store/TextCodec.h"

#include <algorithm>
#include <functional>

namespace {

TCommandResult Refused(const TVerdict& verdict)
{
    return { verdict.kind, verdict.message, 0 };
}

TCommandResult Done(const std::string& message, int id = 0)
{
    return { TRefusal::None, message, id };
}

// Runs a command in one write transaction: committed when it is done,
// rolled back when it is refused.
TCommandResult Atomically(const std::function<TCommandResult()>& command)
{
    TCommandResult result;
    TDbHelper().WriteAtomically([&] {
        result = command();
        return result.Done();
    });
    return result;
}

bool ProjectExists(int projectId)
{
    return TDbHelper().QueryInteger("select count(*) from t_project where projectId=?", { projectId }) > 0;
}

bool ClassExists(int classId)
{
    return TDbHelper().QueryInteger("select count(*) from t_class where classId=?", { classId }) > 0;
}

int LastInsertedId()
{
    return TDbHelper().QueryInteger("select last_insert_rowid()");
}

const TVerdict kProjectGone = TVerdict::Refuse(TRefusal::Stale, "该工程已不存在，请重新选择!");
const TVerdict kClassGone = TVerdict::Refuse(TRefusal::Stale, "该类已不存在，请重新选择!");
const TVerdict kMemberGone = TVerdict::Refuse(TRefusal::Stale, "该成员已不存在，请重新选择!");

} // namespace

TCommandResult TModelCommands::NewProject(const std::string& projectName)
{
    return Atomically([&] {
        TVerdict verdict = CheckNewProject(projectName);
        if (!verdict.Accepted())
            return Refused(verdict);
        TProjectDAO().AddProject(projectName);
        return Done("工程名称添加成功！", LastInsertedId());
    });
}

TCommandResult TModelCommands::RenameProject(int projectId, const std::string& newName)
{
    return Atomically([&] {
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TVerdict verdict = CheckRenameProject(projectId, newName);
        if (!verdict.Accepted())
            return Refused(verdict);
        TProjectDAO().RenameProject(projectId, newName);
        return Done("工程名称修改成功！", projectId);
    });
}

TCommandResult TModelCommands::DeleteProject(int projectId)
{
    return Atomically([&] {
        TProjectDAO().DeleteProject(projectId);
        return Done("删除成功!", projectId);
    });
}

TCommandResult TModelCommands::AddClass(int projectId, const std::string& className, const std::string& friendName)
{
    return Atomically([&] {
        TVerdict verdict = CheckAddClass(projectId, className, friendName);
        if (!verdict.Accepted())
            return Refused(verdict);
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TClassDAO().AddClass(projectId, className, friendName);
        return Done("类名称添加成功！", LastInsertedId());
    });
}

TCommandResult TModelCommands::ChangeClass(
    int projectId, int classId, const std::string& className, const std::string& friendName)
{
    return Atomically([&] {
        if (!ClassExists(classId))
            return Refused(kClassGone);
        TVerdict verdict = CheckUpdateClass(projectId, classId, className, friendName);
        if (!verdict.Accepted())
            return Refused(verdict);
        TClassDAO().UpdateClass(projectId, classId, className, friendName);
        return Done("类名称更新成功", classId);
    });
}

TCommandResult TModelCommands::DeleteClass(int classId)
{
    return Atomically([&] {
        TClassDAO().DeleteClass(classId);
        return Done("类对象删除成功!", classId);
    });
}

TCommandResult TModelCommands::SetProjectDatabase(int projectId, const TProjectDatabase& database)
{
    return Atomically([&] {
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        for (const std::string* text : { &database.url, &database.user, &database.driver, &database.dialect })
            if (std::any_of(text->begin(), text->end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }) ||
                !IsGbkEncodable(*text))
                return Refused(TVerdict::Refuse(
                    TRefusal::Column, "数据库连接的设置(" + *text + ")不能含有控制字符或无法用 GBK 编码的字符!"));
        TVerdict verdict = CheckProjectDatabase(database);
        if (!verdict.Accepted())
            return Refused(verdict);
        TProjectDAO().SetDatabase(projectId, database);
        return Done("工程的数据库连接已设置!", projectId);
    });
}

TCommandResult TModelCommands::SetProjectPackage(int projectId, const std::string& packageName)
{
    return Atomically([&] {
        TVerdict verdict = CheckPackageName(packageName);
        if (!verdict.Accepted())
            return Refused(verdict);
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TProjectDAO().SetPackageName(projectId, packageName);
        return Done("", projectId);
    });
}

TCommandResult TModelCommands::SetProjectWebapp(int projectId, bool webapp)
{
    return Atomically([&] {
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TProjectDAO().SetWebapp(projectId, webapp);
        return Done("", projectId);
    });
}

TCommandResult TModelCommands::SetProjectTarget(int projectId, const std::string& target)
{
    return Atomically([&] {
        if (!FindTarget(target))
            return Refused(
                TVerdict::Refuse(TRefusal::Column, "目标框架“" + target + "”不存在：只能是 " + TargetChoices() + "!"));
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TProjectDAO().SetTarget(projectId, target == kTargetLegacy ? "" : target);
        return Done("", projectId);
    });
}

TCommandResult TModelCommands::SetProjectDatabaseKind(int projectId, const std::string& kind)
{
    return Atomically([&] {
        if (!FindDatabaseKind(kind))
            return Refused(TVerdict::Refuse(
                TRefusal::Column, "数据库类型“" + kind + "”不存在：只能是 " + DatabaseKindChoices() + "!"));
        if (!ProjectExists(projectId))
            return Refused(kProjectGone);
        TProjectDAO().SetDatabaseKind(projectId, kind == kDatabaseMysql ? "" : kind);
        return Done("", projectId);
    });
}

TCommandResult TModelCommands::SetClassTable(int classId, const std::string& tableName, bool readOnly)
{
    return Atomically([&] {
        if (!ClassExists(classId))
            return Refused(kClassGone);
        if (!tableName.empty() && !IsSqlIdentifier(tableName))
            return Refused(TVerdict::Refuse(TRefusal::Column,
                "表名“" + tableName +
                    "”不是普通的 SQL 标识符(只能由字母、数字、下划线和 $ 组成，不以数字开头，最长 64 个字符)!"));
        TClassDAO().SetTableName(classId, tableName, readOnly);
        return Done("类的数据表已设置!", classId);
    });
}

TCommandResult TModelCommands::AddMember(int projectId, int classId, const TMemberEntry& entry)
{
    return Atomically([&] {
        TVerdict verdict = CheckMemberEntry(TMemberDialog::Add, projectId, classId, 0, entry);
        if (!verdict.Accepted())
            return Refused(verdict);
        if (!ClassExists(classId))
            return Refused(kClassGone);
        TMemberDAO().AddMember(BuildMemberRecord(entry, projectId, classId, 0));
        return Done("类成员属性添加成功!", LastInsertedId());
    });
}

TCommandResult TModelCommands::ChangeMember(int memberId, const TMemberEntry& entry)
{
    return Atomically([&] {
        TCommandResult exists = MemberToChange(memberId);
        if (!exists.Done())
            return exists;
        std::optional<TMember> stored = TMemberDAO().GetMember(memberId);
        int projectId = stored->GetProjectId();
        int classId = stored->GetClassId();
        TVerdict verdict = CheckMemberEntry(TMemberDialog::Change, projectId, classId, memberId, entry);
        if (!verdict.Accepted())
            return Refused(verdict);
        TMemberDAO().UpdateMember(BuildMemberRecord(entry, projectId, classId, memberId));
        return Done("类成员属性更新成功!", memberId);
    });
}

TCommandResult TModelCommands::MemberToChange(int memberId)
{
    std::optional<TMember> stored = TMemberDAO().GetMember(memberId);
    if (!stored || !ClassExists(stored->GetClassId()))
        return Refused(kMemberGone);
    return Done("", memberId);
}

TCommandResult TModelCommands::DeleteMember(int memberId)
{
    return Atomically([&] {
        TMemberDAO().DeleteMember(memberId);
        return Done("成员属性删除成功", memberId);
    });
}
