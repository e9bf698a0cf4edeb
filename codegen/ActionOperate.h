#pragma once
#include "IdList.h"
#include "RunContext.h"

#include <string>

// One Struts 2 Action class per model class: request properties, the DAO
// field and six action methods.
class TActionOperate {
public:
    static void WriteActionClasses(const TRunContext& run, const TIdList& classes);
    static std::string BuildActionClass(
        int projectId, const std::string& packageName, int classId, const std::string& className);

    static std::string BuildAddViewAction(int projectId, int classId, const std::string& className);
    static std::string BuildAddAction(int projectId, int classId, const std::string& className);
    static std::string BuildQueryAction(int classId, const std::string& className);
    static std::string BuildModifyQueryAction(int projectId, int classId, const std::string& className);
    static std::string BuildModifyAction(int projectId, int classId, const std::string& className);
    static std::string BuildDeleteAction(int classId, const std::string& className);
};
