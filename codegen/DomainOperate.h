#pragma once
#include "ClassData.h"
#include "RunContext.h"

#include <string>
#include <vector>

// One plain domain class per model class: a field, getter and setter per member.
class TDomainOperate {
public:
    static void WriteDomainClasses(const TRunContext& run, const std::vector<TClassData>& classes);
    static std::string BuildDomainClass(const std::string& packageName, const TClassData& c);
};
