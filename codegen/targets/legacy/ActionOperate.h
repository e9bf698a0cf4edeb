#pragma once
#include "ClassData.h"
#include "Generator.h"

#include <string>
#include <vector>

// One Struts 2 Action class per model class: request properties, the DAO
// field and six action methods.
class TActionOperate {
public:
    static std::string BuildActionClass(const std::string& packageName, const TClassData& c);

    static std::string BuildAddViewAction(const TClassData& c);
    static std::string BuildAddAction(const TClassData& c);
    static std::string BuildQueryAction(const TClassData& c);
    static std::string BuildModifyQueryAction(const TClassData& c);
    static std::string BuildModifyAction(const TClassData& c);
    static std::string BuildDeleteAction(const TClassData& c);
};

const IGenerator& ActionClassGenerator();
