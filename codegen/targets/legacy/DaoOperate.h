#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/Generator.h"

#include <string>
#include <vector>

// One DAO class per model class: page bookkeeping and seven operations
// over Hibernate (add, paged query, all rows, count, lookup, update, delete).
class TDaoOperate {
public:
    static std::string BuildDaoClass(const std::string& packageName, const TClassData& c);

    static std::string BuildAddMethod(const std::string& className);
    static std::string BuildQueryMethod(const TClassData& c);
    static std::string BuildQueryAllMethod(const std::string& className);
    static std::string BuildCalculateMethod(const TClassData& c);
    static std::string BuildGetByMethod(const TClassData& c);
    static std::string BuildUpdateMethod(const std::string& className);
    static std::string BuildDeleteMethod(const TClassData& c);
};

const IGenerator& DaoClassGenerator();
