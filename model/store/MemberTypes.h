#pragma once
#include <string>
#include <vector>

// The simple member types; any other member type names a class of the same
// project (a reference member). The first four are the original ones; the
// long integer and the fixed-point number hold what int and float cannot
// (BIGINT, DECIMAL of a database).
inline const char* const kTypeString = "字符串";
inline const char* const kTypeInteger = "整型";
inline const char* const kTypeFloat = "浮点型";
inline const char* const kTypeDate = "日期型";
inline const char* const kTypeLong = "长整型";
inline const char* const kTypeDecimal = "定点数";
// A DOUBLE of a database: float would round it (0.30000000000000004 → 0.3,
// 1e300 → Infinity).
inline const char* const kTypeDouble = "双精度";
// A BLOB of a database: bytes, uploaded and downloaded as a file (current
// target only).
inline const char* const kTypeBinary = "二进制";

// In the order the member dialogs list them.
inline const std::vector<std::string>& SimpleTypes()
{
    static const std::vector<std::string> types = { kTypeString, kTypeInteger, kTypeFloat, kTypeDate, kTypeLong,
        kTypeDecimal, kTypeDouble, kTypeBinary };
    return types;
}

inline bool IsSimpleType(const std::string& type)
{
    for (const auto& simple : SimpleTypes())
        if (type == simple)
            return true;
    return false;
}

inline bool IsReferenceType(const std::string& type)
{
    return !IsSimpleType(type);
}

// Text-like members: searched with "like", passed as String.
inline bool IsTextLikeType(const std::string& type)
{
    return type == kTypeString || type == kTypeDate;
}

// The types a member of a composite key may have.
inline bool IsKeyMemberType(const std::string& type)
{
    return type == kTypeInteger || type == kTypeLong || type == kTypeString;
}

// Numbers: never query members.
inline bool IsNumberType(const std::string& type)
{
    return type == kTypeInteger || type == kTypeFloat || type == kTypeLong || type == kTypeDecimal ||
        type == kTypeDouble;
}

// The values of a text's choices, "red|green": red, green.
inline std::vector<std::string> SplitChoices(const std::string& choices)
{
    std::vector<std::string> values;
    for (size_t start = 0; start <= choices.size();) {
        size_t bar = choices.find('|', start);
        if (bar == std::string::npos)
            bar = choices.size();
        values.push_back(choices.substr(start, bar - start));
        start = bar + 1;
    }
    return values;
}

// "memberType<>? and ..." for every simple type: the store's test of a
// reference member, with its values.
inline std::string NotSimpleTypeCondition()
{
    std::string condition;
    for (size_t i = 0; i < SimpleTypes().size(); ++i)
        condition += i ? " and memberType<>?" : "memberType<>?";
    return condition;
}
