#include "model/store/DatabaseKind.h"

const std::vector<TDatabaseKind>& DatabaseKinds()
{
    static const std::vector<TDatabaseKind> kinds = {
        { kDatabaseMysql, "MariaDB/MySQL" },
        { kDatabasePostgresql, "PostgreSQL" },
    };
    return kinds;
}

const TDatabaseKind* FindDatabaseKind(const std::string& name)
{
    for (const auto& kind : DatabaseKinds())
        if (kind.name == name)
            return &kind;
    return nullptr;
}

std::string DatabaseKindNames(const std::string& separator)
{
    std::string text;
    for (const auto& kind : DatabaseKinds())
        text += (text.empty() ? "" : separator) + kind.name;
    return text;
}

std::string DatabaseKindChoices(const std::string& separator)
{
    std::string text;
    for (const auto& kind : DatabaseKinds())
        text += (text.empty() ? "" : separator) + kind.name + "(" + kind.caption +
            (kind.name == kDatabaseMysql ? "，默认" : "") + ")";
    return text;
}

std::string DatabaseKindCaption(const std::string& name)
{
    const TDatabaseKind* kind = FindDatabaseKind(name);
    return kind ? kind->caption : name;
}

std::string DatabaseKindName(const std::string& stored)
{
    return stored.empty() ? kDatabaseMysql : stored;
}
