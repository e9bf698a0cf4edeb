#pragma once
#include "codegen/core/ClassData.h"
#include "codegen/core/Generator.h"
#include "codegen/targets/legacy/ActionStyle.h"

#include <string>
#include <vector>

// One Struts Action class per model class: request properties, the DAO
// field and six action methods, in the words of a target's frameworks
// (the legacy target's by default).
class TActionOperate {
public:
    static std::string BuildActionClass(
        const std::string& packageName, const TClassData& c, const TActionStyle& style = {});

    static std::string BuildAddViewAction(const TClassData& c, const TActionStyle& style = {});
    static std::string BuildAddAction(const TClassData& c, const TActionStyle& style = {});
    static std::string BuildQueryAction(const TClassData& c, const TActionStyle& style = {});
    static std::string BuildModifyQueryAction(const TClassData& c, const TActionStyle& style = {});
    static std::string BuildModifyAction(const TClassData& c, const TActionStyle& style = {});
    static std::string BuildDeleteAction(const TClassData& c, const TActionStyle& style = {});
};

const IGenerator& ActionClassGenerator();
