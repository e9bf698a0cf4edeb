#include "model/commands/ModelReads.h"

#include "model/store/ClassDAO.h"
#include "model/store/DbHelper.h"
#include "model/store/MemberDAO.h"
#include "model/store/MemberFields.h"
#include "model/store/ProjectDAO.h"

#include <cstdlib>

namespace {

// A flag counts as set when its stored value converts to the integer 1;
// anything else (0, another number, a text) shows as not set.
bool IsOne(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (start == std::string::npos)
        return false;
    std::string number = text.substr(start, end - start + 1);
    char* rest = nullptr;
    long value = std::strtol(number.c_str(), &rest, 10);
    return *rest == '\0' && value == 1;
}

} // namespace

TIdList ReadProjects()
{
    return TProjectDAO().ListProjects();
}

std::vector<TClassRow> ReadClasses(int projectId)
{
    std::vector<TClassRow> list;
    auto rows = TDbHelper().OpenQuery(
        "select classId,className,friendName from t_class where projectId=? order by classId", { projectId });
    for (; !rows->Eof(); rows->Next())
        list.push_back({ rows->AsInteger("classId"), rows->AsText("className"), rows->AsText("friendName") });
    return list;
}

std::vector<TMemberRow> ReadClassMembers(int classId)
{
    std::vector<TMemberRow> list;
    auto rows = TDbHelper().OpenQuery("select * from t_member where classId=? order by memberId", { classId });
    std::vector<const TMemberField*> flags = ListedFlagFields();
    for (; !rows->Eof(); rows->Next()) {
        TMemberRow row;
        row.memberId = rows->AsInteger("memberId");
        row.name = rows->AsText("memberName");
        row.type = rows->AsText("memberType");
        row.length = rows->AsText("memberLength");
        row.comment = rows->AsText("memberComment");
        for (const TMemberField* flag : flags)
            row.flags.push_back(IsOne(rows->AsText(flag->column)));
        for (const auto& field : MemberFields())
            if (field.since > 0)
                row.columnData.push_back(rows->AsText(field.column));
        list.push_back(std::move(row));
    }
    return list;
}

int FindMemberIdByName(int classId, const std::string& memberName)
{
    return TDbHelper().QueryInteger(
        "select memberId from t_member where classId=? and memberName=? order by memberId", { classId, memberName });
}

std::vector<std::string> ReadReferencesTo(int classId)
{
    std::vector<std::string> list;
    auto rows = TDbHelper().OpenQuery(
        "select c.className as className, m.memberName as memberName from t_member m join t_class c on "
        "m.classId = c.classId join t_class target on target.classId = ? where m.projectId = target.projectId and "
        "m.memberType = target.className and m.classId <> target.classId order by m.memberId",
        { classId });
    for (; !rows->Eof(); rows->Next())
        list.push_back(rows->AsText("className") + "." + rows->AsText("memberName"));
    return list;
}

std::string ReadClassName(int classId)
{
    return TClassDAO().GetClassName(classId);
}

std::string ReadFriendName(int classId)
{
    return TClassDAO().GetFriendName(classId);
}

std::optional<TMember> ReadMember(int memberId)
{
    return TMemberDAO().GetMember(memberId);
}
