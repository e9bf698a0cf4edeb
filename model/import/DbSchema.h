#pragma once
#include <stdexcept>
#include <string>
#include <vector>

// The schema of a MariaDB or MySQL database as its information_schema gives
// it: what an import of tables as classes needs.
struct TDbColumn {
    std::string name;
    std::string dataType; // DATA_TYPE, lower case: varchar, int, datetime, ...
    long long length = -1; // CHARACTER_MAXIMUM_LENGTH, -1 when there is none
    bool nullable = true;
    std::string comment;
    std::string columnType; // COLUMN_TYPE, lower case but for ENUM/SET values: "int(10) unsigned", "enum('PG','R')"
    int precision = -1; // NUMERIC_PRECISION, -1 when there is none
    int scale = -1; // NUMERIC_SCALE
    bool autoIncrement = false; // EXTRA holds auto_increment
    bool hasDefault = false; // COLUMN_DEFAULT holds a value (not NULL)
    bool onUpdate = false; // EXTRA holds "on update ..."
    bool generated = false; // a virtual, stored or persistent generated column
    // A BIGINT UNSIGNED key column that holds a value above 2^63 - 1 (what
    // a Java long holds); only key columns are looked at.
    bool beyondLong = false;

    bool Unsigned() const { return columnType.find("unsigned") != std::string::npos; }
};

struct TDbForeignKey {
    std::string column;
    std::string referencedTable;
    std::string referencedColumn;
};

struct TDbTable {
    std::string name;
    std::string comment;
    std::vector<TDbColumn> columns; // in column order
    std::vector<std::string> primaryKey; // its columns, in key order
    std::vector<TDbForeignKey> foreignKeys; // single-column keys only
    bool view = false; // a view: no key or foreign keys of its own
    std::vector<std::vector<std::string>> uniqueKeys = {}; // each UNIQUE key's columns, in key order
    std::vector<std::string> triggers = {}; // "name(BEFORE INSERT)"
};

struct TDbSchema {
    std::vector<TDbTable> tables; // base tables and views, by name
};

struct TDbConnection {
    std::string host = "127.0.0.1";
    unsigned port = 3306;
    std::string user;
    std::string password;
    std::string database;
    std::string kind = "mysql"; // "mysql" (MariaDB or MySQL) or "postgresql"
};

// A server that cannot be reached, a wrong password, a database that does
// not exist...: the message says so in Chinese.
class TDbImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the base tables of the connection's database, with their columns,
// primary keys and single-column foreign keys. Writes nothing anywhere.
TDbSchema ReadDbSchema(const TDbConnection& connection);
// The same from a PostgreSQL database (its current schema, "public" for
// most), through libpq.
TDbSchema ReadPostgresqlSchema(const TDbConnection& connection);
