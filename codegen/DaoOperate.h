#pragma once
#include "IdList.h"
#include "RunContext.h"

#include <string>

// One DAO class per model class: page bookkeeping and seven operations
// over Hibernate (add, paged query, all rows, count, lookup, update, delete).
class TDaoOperate {
public:
    static void WriteDaoClasses(const TRunContext& run, const TIdList& classes);
    static std::string BuildDaoClass(
        int projectId, const std::string& packageName, int classId, const std::string& className);

    static std::string BuildAddMethod(const std::string& className);
    static std::string BuildQueryMethod(int projectId, int classId, const std::string& className);
    static std::string BuildQueryAllMethod(const std::string& className);
    static std::string BuildCalculateMethod(int projectId, int classId, const std::string& className);
    static std::string BuildGetByMethod(int classId, const std::string& className);
    static std::string BuildUpdateMethod(const std::string& className);
    static std::string BuildDeleteMethod(int classId, const std::string& className);
};
