#include "model/store/ClassDAO.h"

std::string TClassDAO::GetClassName(int classId)
{
    return db_.QueryText("select className from t_class where classId=?", { classId });
}

std::string TClassDAO::GetFriendName(int classId)
{
    return db_.QueryText("select friendName from t_class where classId=?", { classId });
}

int TClassDAO::GetClassId(int projectId, const std::string& className)
{
    return db_.QueryInteger(
        "select classId from t_class where projectId=? and className=? order by classId", { projectId, className });
}

int TClassDAO::CountClassesByName(int projectId, const std::string& className)
{
    return db_.QueryInteger("select count(*) from t_class where projectId=? and className=?", { projectId, className });
}

int TClassDAO::CountOtherClassesByName(int projectId, int classId, const std::string& className)
{
    return db_.QueryInteger("select count(*) from t_class where projectId=? and className=? and classId<>?",
        { projectId, className, classId });
}

void TClassDAO::AddClass(int projectId, const std::string& className, const std::string& friendName)
{
    db_.ExecuteSql(
        "insert into t_class(projectId,className,friendName) values (?,?,?)", { projectId, className, friendName });
}

void TClassDAO::DeleteClass(int classId)
{
    long long id = classId;
    db_.ExecuteBatch({
        { "delete from t_class where classId=?", { id } },
        { "delete from t_member where classId=?", { id } },
    });
}

void TClassDAO::UpdateClass(int projectId, int classId, const std::string& className, const std::string& friendName)
{
    std::string oldName = GetClassName(classId);
    db_.ExecuteBatch({
        { "update t_class set friendName=?,className=? where classId=?", { friendName, className, classId } },
        { "update t_member set memberType=? where projectId=? and memberType=?", { className, projectId, oldName } },
    });
}

void TClassDAO::SetTableName(int classId, const std::string& tableName, bool readOnly)
{
    db_.ExecuteSql(
        "update t_class set tableName=?,readOnly=? where classId=?", { tableName, readOnly ? 1 : 0, classId });
}

TIdList TClassDAO::ReadList(const std::string& sql, const TSqlValues& values)
{
    TIdList list;
    auto rows = db_.OpenQuery(sql, values);
    for (; !rows->Eof(); rows->Next())
        list.push_back({ rows->AsText("className"), rows->AsInteger("classId") });
    return list;
}

TIdList TClassDAO::ListClasses(int projectId)
{
    return ReadList("select classId,className from t_class where projectId=? order by classId", { projectId });
}

TIdList TClassDAO::ListOtherClasses(int projectId, int classId)
{
    return ReadList("select classId,className from t_class where classId<>? and projectId=? order by classId",
        { classId, projectId });
}
