#include "JavaNames.h"

#include "MemberTypes.h"

std::string JavaTypeOf(const std::string& memberType)
{
    if (memberType == kTypeString || memberType == kTypeDate)
        return "String";
    if (memberType == kTypeInteger)
        return "int";
    if (memberType == kTypeFloat)
        return "float";
    return memberType;
}

std::string QueryTypeOf(const std::string& memberType)
{
    return IsTextLikeType(memberType) ? "String" : memberType;
}

std::string KeyTypeOf(const std::string& memberType)
{
    return memberType == kTypeString ? "String" : "int";
}
