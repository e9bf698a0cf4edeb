#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/Generator.h"

#include <string>

// One plain domain class per model class: a field, getter and setter per member.
class TDomainOperate {
public:
    static std::string BuildDomainClass(const std::string& packageName, const TClassData& c);
    // A class of a composite key is its own identifier: two objects with
    // equal key members are one.
    static std::string BuildKeyEquality(const TClassData& c);
};

const IGenerator& DomainClassGenerator();
