#pragma once
#include <QString>

#include <string>

// The program's texts are UTF-8 throughout.
inline QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}
inline QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
