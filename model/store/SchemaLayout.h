#pragma once
#include <string>
#include <vector>

// The layout of the model database and how it grew. The file records the
// layout it holds in PRAGMA user_version: 0 is the original three tables,
// each later version adds columns (and statements) to the one before.

// The version this program writes.
int CurrentSchemaVersion();

// One column of the three tables.
struct TColumnSpec {
    std::string table;
    std::string column;
    std::string definition; // "text not null default ''", "integer primary key autoincrement", ...
    int since; // the version that added it
};

// Every column, table by table, in the order of the create statements.
const std::vector<TColumnSpec>& SchemaColumns();

// The statements that make a new database of the current version.
std::string CreateSchemaSql();

// What turns a database of version - 1 into one of version.
struct TMigration {
    int version;
    std::vector<std::string> statements;
};

// The migrations after version 0, in order.
std::vector<TMigration> SchemaMigrations();
