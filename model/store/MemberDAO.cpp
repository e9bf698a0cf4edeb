#include "model/store/MemberDAO.h"

#include "model/store/ClassDAO.h"
#include "model/store/MemberFields.h"
#include "model/store/MemberTypes.h"

namespace {

// The value columns of a record, in MemberFields() order.
TSqlValues ValueColumns(const TMember& m)
{
    TSqlValues values;
    for (const auto& field : MemberFields()) {
        if (field.kind == TFieldKind::Text)
            values.emplace_back((m.*field.getText)());
        else
            values.emplace_back(static_cast<long long>((m.*field.getInt)()));
    }
    return values;
}

std::string Placeholders(size_t count)
{
    std::string list;
    for (size_t i = 0; i < count; ++i)
        list += i ? ",?" : "?";
    return list;
}

} // namespace

void TMemberDAO::AddMember(const TMember& member)
{
    TSqlValues values = ValueColumns(member);
    values.insert(values.begin(), { member.GetProjectId(), member.GetClassId() });
    db_.ExecuteSql("insert into t_member(projectId,classId," + MemberValueColumnList() + ") values (" +
            Placeholders(values.size()) + ")",
        values);
}

void TMemberDAO::UpdateMember(const TMember& member)
{
    TSqlValues values = ValueColumns(member);
    values.emplace_back(std::in_place_index<0>, member.GetMemberId());
    std::string assignments;
    for (const auto& field : MemberFields())
        assignments += (assignments.empty() ? "" : ",") + std::string(field.column) + "=?";
    db_.ExecuteSql("update t_member set " + assignments + " where memberId=?", values);
}

void TMemberDAO::DeleteMember(int memberId)
{
    db_.ExecuteSql("delete from t_member where memberId=?", { memberId });
}

std::unique_ptr<TResultSet> TMemberDAO::OpenClassMembers(int classId)
{
    return db_.OpenQuery("select * from t_member where classId=? order by memberId", { classId });
}

std::unique_ptr<TResultSet> TMemberDAO::OpenReferenceMembers(int classId)
{
    TSqlValues values(SimpleTypes().begin(), SimpleTypes().end());
    values.emplace_back(std::in_place_index<0>, classId);
    return db_.OpenQuery(
        "select * from t_member where " + NotSimpleTypeCondition() + " and classId=? order by memberId", values);
}

std::unique_ptr<TResultSet> TMemberDAO::OpenQueryMembers(int classId)
{
    return db_.OpenQuery("select * from t_member where queryFlag = 1 and classId=? order by memberId", { classId });
}

std::unique_ptr<TResultSet> TMemberDAO::OpenNonPrimaryMembers(int classId)
{
    return db_.OpenQuery("select * from t_member where memberIsPri=0 and classId=? order by memberId", { classId });
}

TMember TMemberDAO::ReadMember(const TResultSet& rows)
{
    TMember m;
    m.SetMemberId(rows.AsInteger("memberId"));
    m.SetProjectId(rows.AsInteger("projectId"));
    m.SetClassId(rows.AsInteger("classId"));
    for (const auto& field : MemberFields()) {
        if (field.kind == TFieldKind::Text)
            (m.*field.setText)(rows.AsText(field.column));
        else
            (m.*field.setInt)(rows.AsInteger(field.column));
    }
    return m;
}

std::optional<TMember> TMemberDAO::GetFirst(const std::string& sql, const TSqlValues& values)
{
    auto rows = db_.OpenQuery(sql, values);
    if (rows->Eof())
        return std::nullopt;
    return ReadMember(*rows);
}

std::optional<TMember> TMemberDAO::GetMember(int memberId)
{
    return GetFirst("select * from t_member where memberId=?", { memberId });
}

std::optional<TMember> TMemberDAO::GetPrimaryMember(int classId)
{
    return GetFirst("select * from t_member where memberIsPri=1 and classId=? order by memberId", { classId });
}

std::optional<TMember> TMemberDAO::GetPrimaryMemberByClassName(int projectId, const std::string& className)
{
    int classId = TClassDAO().GetClassId(projectId, className);
    return GetFirst("select * from t_member where memberIsPri=1 and projectId=? and classId=? order by memberId",
        { projectId, classId });
}

std::optional<TMember> TMemberDAO::GetMemberOfType(int classId, const std::string& memberType)
{
    return GetFirst(
        "select * from t_member where classId=? and memberType=? order by memberId", { classId, memberType });
}

int TMemberDAO::CountOtherMembersByName(int classId, int memberId, const std::string& memberName)
{
    return db_.QueryInteger("select count(*) from t_member where classId=? and memberName=? and memberId<>?",
        { classId, memberName, memberId });
}

int TMemberDAO::CountOtherQueryMembers(int classId, int memberId)
{
    return db_.QueryInteger(
        "select count(*) from t_member where classId=? and queryFlag=1 and memberId<>?", { classId, memberId });
}
