#pragma once
#include "ClassData.h"
#include "Generator.h"

#include <string>

// One plain domain class per model class: a field, getter and setter per member.
class TDomainOperate {
public:
    static std::string BuildDomainClass(const std::string& packageName, const TClassData& c);
};

const IGenerator& DomainClassGenerator();
