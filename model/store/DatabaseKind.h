#pragma once
#include <string>
#include <vector>

// The kinds of database a project's application can use: the name stored
// and typed ("mysql", "postgresql") and how it is shown.
struct TDatabaseKind {
    std::string name;
    std::string caption;
};

inline const char* const kDatabaseMysql = "mysql";
inline const char* const kDatabasePostgresql = "postgresql";

const std::vector<TDatabaseKind>& DatabaseKinds();
// Null for a name that is none.
const TDatabaseKind* FindDatabaseKind(const std::string& name);
// "mysql|postgresql".
std::string DatabaseKindNames(const std::string& separator = "|");
// "mysql(MariaDB/MySQL，默认) 或 postgresql(PostgreSQL)".
std::string DatabaseKindChoices(const std::string& separator = " 或 ");
// How a kind is shown; the name itself for one that is none.
std::string DatabaseKindCaption(const std::string& name);
// The stored kind as a name: "" is "mysql".
std::string DatabaseKindName(const std::string& stored);
