#pragma once
#include "model/store/DbHelper.h"
#include "model/store/IdList.h"
#include "model/store/ModelCheckReport.h"

#include <string>

// Classes of a project (table t_class) and the two whole-class model checks.
class TClassDAO {
public:
    std::string GetClassName(int classId);
    std::string GetFriendName(int classId);
    // -1 when the project has no class of that name.
    int GetClassId(int projectId, const std::string& className);
    int CountClassesByName(int projectId, const std::string& className);
    // Classes of the project with that name other than the given one.
    int CountOtherClassesByName(int projectId, int classId, const std::string& className);
    void AddClass(int projectId, const std::string& className, const std::string& friendName);
    // Removes the class and its members in one transaction.
    void DeleteClass(int classId);
    // Renames the class and, in the same transaction, every member of the
    // project whose type named the old class name.
    void UpdateClass(int projectId, int classId, const std::string& className, const std::string& friendName);
    TIdList ListClasses(int projectId);
    void SetTableName(int classId, const std::string& tableName, bool readOnly);
    TIdList ListOtherClasses(int projectId, int classId);

    // True when every class of the list has exactly one primary member;
    // otherwise reports the first class that has not and returns false.
    bool CheckPrimaryMembers(const TIdList& classes, IModelCheckReport& report);
    // The same for display members.
    bool CheckDisplayMembers(const TIdList& classes, IModelCheckReport& report);

private:
    TIdList ReadList(const std::string& sql, const TSqlValues& values);

    TDbHelper db_;
};
