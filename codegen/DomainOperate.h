#pragma once
#include "IdList.h"
#include "RunContext.h"

#include <string>

// One plain domain class per model class: a field, getter and setter per member.
class TDomainOperate {
public:
    static void WriteDomainClasses(const TRunContext& run, const TIdList& classes);
    static std::string BuildDomainClass(const std::string& packageName, int classId, const std::string& className);
};
