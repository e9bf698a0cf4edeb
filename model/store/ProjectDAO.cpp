#include "model/store/ProjectDAO.h"

int TProjectDAO::CountProjectsByName(const std::string& projectName)
{
    return db_.QueryInteger("select count(*) from t_project where projectName=?", { projectName });
}

int TProjectDAO::CountOtherProjectsByName(int projectId, const std::string& projectName)
{
    return db_.QueryInteger(
        "select count(*) from t_project where projectName=? and projectId<>?", { projectName, projectId });
}

void TProjectDAO::AddProject(const std::string& projectName)
{
    db_.ExecuteSql("insert into t_project(projectName) values (?)", { projectName });
}

void TProjectDAO::RenameProject(int projectId, const std::string& newName)
{
    db_.ExecuteSql("update t_project set projectName=? where projectId=?", { newName, projectId });
}

void TProjectDAO::DeleteProject(int projectId)
{
    long long id = projectId;
    db_.ExecuteBatch({
        { "delete from t_member where projectId=? or classId in (select classId from t_class where projectId=?)",
            { id, id } },
        { "delete from t_class where projectId=?", { id } },
        { "delete from t_project where projectId=?", { id } },
    });
}

TIdList TProjectDAO::ListProjects()
{
    TIdList list;
    auto rows = db_.OpenQuery("select projectId,projectName from t_project order by projectId");
    for (; !rows->Eof(); rows->Next())
        list.push_back({ rows->AsText("projectName"), rows->AsInteger("projectId") });
    return list;
}

TProjectDatabase TProjectDAO::GetDatabase(int projectId)
{
    auto rows = db_.OpenQuery(
        "select dbUrl,dbUser,dbDriver,dbDialect,databaseKind from t_project where projectId=?", { projectId });
    if (rows->Eof())
        return {};
    return { rows->AsText("dbUrl"), rows->AsText("dbUser"), rows->AsText("dbDriver"), rows->AsText("dbDialect"),
        rows->AsText("databaseKind") };
}

void TProjectDAO::SetDatabase(int projectId, const TProjectDatabase& d)
{
    db_.ExecuteSql("update t_project set dbUrl=?,dbUser=?,dbDriver=?,dbDialect=? where projectId=?",
        { d.url, d.user, d.driver, d.dialect, projectId });
}

std::string TProjectDAO::GetPackageName(int projectId)
{
    return db_.QueryText("select packageName from t_project where projectId=?", { projectId });
}

void TProjectDAO::SetPackageName(int projectId, const std::string& packageName)
{
    db_.ExecuteSql("update t_project set packageName=? where projectId=?", { packageName, projectId });
}

std::string TProjectDAO::GetTarget(int projectId)
{
    return db_.QueryText("select target from t_project where projectId=?", { projectId });
}

void TProjectDAO::SetTarget(int projectId, const std::string& target)
{
    db_.ExecuteSql("update t_project set target=? where projectId=?", { target, projectId });
}

void TProjectDAO::SetDatabaseKind(int projectId, const std::string& kind)
{
    db_.ExecuteSql("update t_project set databaseKind=? where projectId=?", { kind, projectId });
}

bool TProjectDAO::GetWebapp(int projectId)
{
    return db_.QueryInteger("select webapp from t_project where projectId=?", { projectId }) == 1;
}

void TProjectDAO::SetWebapp(int projectId, bool webapp)
{
    db_.ExecuteSql("update t_project set webapp=? where projectId=?", { webapp ? 1 : 0, projectId });
}
