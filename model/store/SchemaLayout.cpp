#include "model/store/SchemaLayout.h"

#include "model/store/MemberFields.h"

#include <algorithm>

namespace {

const char* const kTables[] = { "t_project", "t_class", "t_member" };

std::string ColumnType(TFieldKind kind)
{
    return kind == TFieldKind::Text ? "text" : "integer";
}

} // namespace

const std::vector<TColumnSpec>& SchemaColumns()
{
    static const std::vector<TColumnSpec> columns = [] {
        const std::string key = "integer primary key autoincrement";
        std::vector<TColumnSpec> list = {
            { "t_project", "projectId", key, 0 },
            { "t_project", "projectName", "text not null default ''", 0 },
            { "t_class", "classId", key, 0 },
            { "t_class", "projectId", "integer not null default 0", 0 },
            { "t_class", "className", "text not null default ''", 0 },
            { "t_class", "friendName", "text not null default ''", 0 },
            // The database an imported project's application talks to, and
            // the tables its classes map to: empty for models made in the
            // dialogs.
            { "t_project", "dbUrl", "text not null default ''", 1 },
            { "t_project", "dbUser", "text not null default ''", 1 },
            { "t_project", "dbDriver", "text not null default ''", 1 },
            { "t_project", "dbDialect", "text not null default ''", 1 },
            { "t_class", "tableName", "text not null default ''", 1 },
            // What the window remembers of a project between sessions: the
            // package of its last generation and whether it makes the pages.
            { "t_project", "packageName", "text not null default ''", 2 },
            { "t_project", "webapp", "integer not null default 0", 2 },
            // A class imported from a database view: listed and queried,
            // never written.
            { "t_class", "readOnly", "integer not null default 0", 4 },
            // The frameworks a project's code is made for: empty for the
            // legacy ones, "current" for Struts 7 and Hibernate 7.
            { "t_project", "target", "text not null default ''", 4 },
            // The kind of database the application uses: empty for
            // MariaDB/MySQL, "postgresql".
            { "t_project", "databaseKind", "text not null default ''", 5 },
            { "t_member", "memberId", key, 0 },
            { "t_member", "projectId", "integer not null default 0", 0 },
            { "t_member", "classId", "integer not null default 0", 0 },
        };
        for (const auto& field : MemberFields())
            list.push_back({ "t_member", field.column, ColumnType(field.kind) + " not null default " + field.sqlDefault,
                field.since });
        return list;
    }();
    return columns;
}

int CurrentSchemaVersion()
{
    int version = 0;
    for (const auto& column : SchemaColumns())
        version = std::max(version, column.since);
    return version;
}

std::string CreateSchemaSql()
{
    std::string sql;
    for (const char* table : kTables) {
        std::string columns;
        for (const auto& column : SchemaColumns())
            if (column.table == table)
                columns += (columns.empty() ? "\n    " : ",\n    ") + column.column + " " + column.definition;
        sql += "create table " + std::string(table) + "(" + columns + ");\n";
    }
    sql += "create index ix_class_project on t_class(projectId, className);\n";
    sql += "create index ix_member_class on t_member(classId);\n";
    sql += "pragma user_version = " + std::to_string(CurrentSchemaVersion()) + ";\n";
    return sql;
}

std::vector<TMigration> SchemaMigrations()
{
    std::vector<TMigration> migrations;
    for (int version = 1; version <= CurrentSchemaVersion(); ++version) {
        TMigration migration { version, {} };
        for (const auto& column : SchemaColumns())
            if (column.since == version)
                migration.statements.push_back(
                    "alter table " + column.table + " add column " + column.column + " " + column.definition);
        migrations.push_back(std::move(migration));
    }
    return migrations;
}
