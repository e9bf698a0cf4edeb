#include "codegen/targets/legacy/JavaNames.h"

#include "model/store/MemberTypes.h"

std::string JavaTypeOf(const std::string& memberType)
{
    if (memberType == kTypeString || memberType == kTypeDate)
        return "String";
    if (memberType == kTypeInteger)
        return "int";
    if (memberType == kTypeFloat)
        return "float";
    if (memberType == kTypeLong)
        return "long";
    if (memberType == kTypeDecimal)
        return "java.math.BigDecimal";
    if (memberType == kTypeDouble)
        return "double";
    if (memberType == kTypeBinary)
        return "byte[]";
    return memberType;
}

std::string FieldTypeOf(const TMember& member)
{
    const std::string& type = member.GetMemberType();
    // A column that may hold NULL, or that the database fills, needs an
    // object to hold it.
    if (member.GetMemberNullable() == 1 || !member.GetColumnFilled().empty()) {
        if (type == kTypeInteger)
            return "Integer";
        if (type == kTypeFloat)
            return "Float";
        if (type == kTypeDouble)
            return "Double";
        if (type == kTypeLong)
            return "Long";
    }
    return JavaTypeOf(type);
}

std::string QueryTypeOf(const std::string& memberType)
{
    return IsTextLikeType(memberType) ? "String" : memberType;
}

std::string KeyTypeOf(const std::string& memberType)
{
    if (memberType == kTypeString)
        return "String";
    return memberType == kTypeLong ? "long" : "int";
}

std::string ChoiceListName(const std::string& C, const std::string& R)
{
    return (R == C ? "db_" : "") + ClassVariableName(R) + "List";
}

TKeyLookup KeyLookupOf(const TClassData& data)
{
    const std::string& C = data.name;
    if (data.CompositeKey())
        return { "Get" + C + "ByKey", C + " _key", "_key" };
    const std::string& p = data.primary.GetMemberName();
    return { "Get" + C + "By" + CapitalizedName(p), KeyTypeOf(data.primary.GetMemberType()) + " " + p, p };
}
