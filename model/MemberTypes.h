#pragma once
#include <string>

// The four simple member types; any other member type names a class of the
// same project (a reference member).
inline const char* const kTypeString = "字符串";
inline const char* const kTypeInteger = "整型";
inline const char* const kTypeFloat = "浮点型";
inline const char* const kTypeDate = "日期型";

inline bool IsSimpleType(const std::string& type)
{
    return type == kTypeString || type == kTypeInteger || type == kTypeFloat || type == kTypeDate;
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
