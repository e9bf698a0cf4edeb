// The schema of a PostgreSQL database through libpq, in the words the
// mapping knows from MariaDB/MySQL: integer kinds, numeric(p,s), real and
// double, text kinds, dates and times, bytea as a BLOB, uuid, json and
// enum types as texts (the URL sends texts untyped, so the server takes
// them for those columns), serial and identity columns as auto-increment.
// What has no such word (boolean, arrays, time zones, intervals...) keeps
// its own and is skipped by the mapping with its reason.
#include "model/import/DbSchema.h"

#include <libpq-fe.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int kConnectSeconds = 10;
constexpr int kQuerySeconds = 90;

using TResult = std::unique_ptr<PGresult, void (*)(PGresult*)>;
using TRow = std::vector<std::string>;

class TPgServer {
public:
    explicit TPgServer(const TDbConnection& c)
        : server_(c.host + ":" + std::to_string(c.port))
        , conn_(Connect(c), PQfinish)
    {
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            throw TDbImportError(ConnectFailure(c));
    }

    std::vector<TRow> Rows(const std::string& sql) const
    {
        TResult result(PQexec(conn_.get(), sql.c_str()), PQclear);
        if (!result || PQresultStatus(result.get()) != PGRES_TUPLES_OK)
            throw TDbImportError(ReadFailure(result.get()));
        std::vector<TRow> rows;
        int columns = PQnfields(result.get());
        for (int r = 0, n = PQntuples(result.get()); r < n; ++r) {
            TRow row;
            for (int f = 0; f < columns; ++f)
                row.push_back(PQgetisnull(result.get(), r, f) ? "\x01" : PQgetvalue(result.get(), r, f));
            rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    // A server that stops answering ends the import: the connect waits
    // kConnectSeconds, a statement kQuerySeconds, and the kernel gives up
    // on unanswered sends and probes after 30 s.
    static PGconn* Connect(const TDbConnection& c)
    {
        std::string port = std::to_string(c.port), timeout = std::to_string(kConnectSeconds),
                    options = "-c statement_timeout=" + std::to_string(kQuerySeconds * 1000) +
            " -c default_transaction_read_only=on";
        const char* keys[] = { "host", "port", "user", "password", "dbname", "connect_timeout", "options",
            "client_encoding", "keepalives_idle", "keepalives_interval", "keepalives_count", "tcp_user_timeout",
            "application_name", nullptr };
        const char* values[] = { c.host.c_str(), port.c_str(), c.user.c_str(), c.password.c_str(), c.database.c_str(),
            timeout.c_str(), options.c_str(), "UTF8", "10", "5", "4", "30000", "javagen", nullptr };
        return PQconnectdbParams(keys, values, 0);
    }

    std::string EngineText(const char* text) const
    {
        std::string engine = text ? text : "";
        while (!engine.empty() && (engine.back() == '\n' || engine.back() == ' '))
            engine.pop_back();
        return "\n(数据库驱动的原文：" + engine + ")";
    }

    std::string ConnectFailure(const TDbConnection& c) const
    {
        std::string text = PQerrorMessage(conn_.get());
        std::string engine = EngineText(text.c_str());
        if (text.find("password authentication failed") != std::string::npos ||
            text.find("no password supplied") != std::string::npos)
            return "数据库服务器 " + server_ + " 拒绝了用户 " + c.user + " 的登录，请检查用户名和密码。" + engine;
        if (text.find("database \"") != std::string::npos && text.find("does not exist") != std::string::npos)
            return "数据库服务器 " + server_ + " 上没有数据库 " + c.database + "。" + engine;
        if (text.find("role \"") != std::string::npos && text.find("does not exist") != std::string::npos)
            return "数据库服务器 " + server_ + " 上没有用户 " + c.user + "，请检查用户名。" + engine;
        if (text.find("timeout expired") != std::string::npos)
            return "数据库服务器 " + server_ + " 超过 " + std::to_string(kConnectSeconds) +
                " 秒没有应答，导入已取消。" + engine;
        return "无法连接到数据库服务器 " + server_ + "，请检查主机名、端口和服务器是否已启动。" + engine;
    }

    std::string ReadFailure(const PGresult* result) const
    {
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        std::string engine = EngineText(PQerrorMessage(conn_.get()));
        if (state && std::string(state) == "57014")
            return "数据库服务器 " + server_ + " 的一次查询超过 " + std::to_string(kQuerySeconds) +
                " 秒没有完成，导入已取消。" + engine;
        if (PQstatus(conn_.get()) != CONNECTION_OK)
            return "数据库服务器 " + server_ + " 没有应答或断开了连接，导入已取消。" + engine;
        return "读取数据库结构失败。" + engine;
    }

    std::string server_;
    std::unique_ptr<PGconn, void (*)(PGconn*)> conn_;
};

bool IsNull(const std::string& value)
{
    return value == "\x01";
}

long long Number(const std::string& value)
{
    return IsNull(value) || value.empty() ? -1 : std::stoll(value);
}

// One enum type's values as MariaDB writes an ENUM column's type.
std::string EnumType(const std::vector<std::string>& values)
{
    std::string type = "enum(";
    for (size_t i = 0; i < values.size(); ++i) {
        type += i ? ",'" : "'";
        for (char c : values[i])
            type += c == '\'' ? std::string("''") : c == '\\' ? std::string("\\\\") : std::string(1, c);
        type += "'";
    }
    return type + ")";
}

// The column in the mapping's words.
void Describe(TDbColumn& column, const std::string& dataType, const std::string& udt, const std::string& formatted,
    const std::map<std::string, std::vector<std::string>>& enums)
{
    static const std::map<std::string, std::string> same = { { "int2", "smallint" }, { "int4", "int" },
        { "int8", "bigint" }, { "numeric", "decimal" }, { "float4", "float" }, { "float8", "double" },
        { "varchar", "varchar" }, { "bpchar", "char" }, { "text", "text" }, { "date", "date" }, { "time", "time" },
        { "timestamp", "datetime" }, { "bytea", "longblob" }, { "json", "text" }, { "jsonb", "text" },
        { "xml", "text" }, { "citext", "text" } };
    column.columnType = formatted;
    if (dataType == "ARRAY") {
        column.dataType = formatted;
        return;
    }
    auto choice = enums.find(udt);
    if (choice != enums.end()) {
        column.dataType = "enum";
        column.columnType = EnumType(choice->second);
        // As MariaDB gives an ENUM's length: its longest value's, in characters.
        column.length = 0;
        for (const auto& value : choice->second) {
            long long characters = 0;
            for (unsigned char c : value)
                characters += (c & 0xC0) != 0x80;
            column.length = std::max(column.length, characters);
        }
        return;
    }
    if (udt == "uuid") {
        column.dataType = "char";
        column.length = 36;
        return;
    }
    // A type without a word of the mapping's is named as PostgreSQL names it.
    auto found = same.find(udt);
    column.dataType = found != same.end() ? found->second : formatted;
    // A varchar without a length holds any text.
    if (udt == "varchar" && column.length < 0)
        column.dataType = "text";
}

} // namespace

TDbSchema ReadPostgresqlSchema(const TDbConnection& connection)
{
    TPgServer server(connection);
    TDbSchema schema;
    std::map<std::string, size_t> byName;
    for (const auto& row :
        server.Rows("select c.relname, c.relkind in ('v','m'), coalesce(obj_description(c.oid, 'pg_class'), '') "
                    "from pg_class c join pg_namespace n on n.oid = c.relnamespace "
                    "where n.nspname = current_schema() and c.relkind in ('r','p','v','m') "
                    "and not c.relispartition order by c.relname")) {
        TDbTable table;
        table.name = row[0];
        table.view = row[1] == "t";
        table.comment = row[2];
        byName[table.name] = schema.tables.size();
        schema.tables.push_back(std::move(table));
    }

    std::map<std::string, std::vector<std::string>> enums;
    for (const auto& row : server.Rows("select t.typname, e.enumlabel from pg_enum e join pg_type t on t.oid = "
                                       "e.enumtypid join pg_namespace n on n.oid = t.typnamespace "
                                       "where n.nspname = current_schema() order by t.typname, e.enumsortorder"))
        enums[row[0]].push_back(row[1]);

    for (const auto& row :
        server.Rows("select c.relname, a.attname, format_type(a.atttypid, a.atttypmod), "
                    "information_schema._pg_char_max_length(information_schema._pg_truetypid(a.*, t.*), "
                    "information_schema._pg_truetypmod(a.*, t.*)), "
                    "information_schema._pg_numeric_precision(information_schema._pg_truetypid(a.*, t.*), "
                    "information_schema._pg_truetypmod(a.*, t.*)), "
                    "information_schema._pg_numeric_scale(information_schema._pg_truetypid(a.*, t.*), "
                    "information_schema._pg_truetypmod(a.*, t.*)), "
                    "not a.attnotnull, coalesce(col_description(c.oid, a.attnum), ''), "
                    "pg_get_expr(d.adbin, d.adrelid), a.attidentity <> '', a.attgenerated <> '', "
                    "case when t.typcategory = 'A' then 'ARRAY' else '' end, t.typname "
                    "from pg_attribute a join pg_class c on c.oid = a.attrelid "
                    "join pg_namespace n on n.oid = c.relnamespace join pg_type t on t.oid = a.atttypid "
                    "left join pg_attrdef d on d.adrelid = a.attrelid and d.adnum = a.attnum "
                    "where n.nspname = current_schema() and c.relkind in ('r','p','v','m') and a.attnum > 0 "
                    "and not a.attisdropped order by c.relname, a.attnum")) {
        auto table = byName.find(row[0]);
        if (table == byName.end())
            continue;
        TDbColumn column;
        column.name = row[1];
        column.length = Number(row[3]);
        column.precision = static_cast<int>(Number(row[4]));
        column.scale = static_cast<int>(Number(row[5]));
        column.nullable = row[6] == "t";
        column.comment = row[7];
        bool sequence = !IsNull(row[8]) && row[8].rfind("nextval(", 0) == 0;
        column.autoIncrement = row[9] == "t" || sequence;
        column.generated = row[10] == "t";
        column.hasDefault = !IsNull(row[8]) && !column.autoIncrement && !column.generated;
        // Integer and floating kinds carry a precision the mapping does not need.
        std::string udt = row[12];
        if (udt != "numeric")
            column.precision = column.scale = -1;
        Describe(column, row[11], udt, row[2], enums);
        schema.tables[table->second].columns.push_back(std::move(column));
    }

    // A view's column is as nullable as the base column of that name it
    // shows (PostgreSQL says every view column may be NULL).
    std::set<std::pair<std::string, std::string>> requiredInViews;
    for (const auto& row :
        server.Rows("select u.view_name, u.column_name from information_schema.view_column_usage u "
                    "join information_schema.columns c on c.table_schema = u.table_schema and c.table_name = "
                    "u.table_name and c.column_name = u.column_name where u.view_schema = current_schema() "
                    "and c.is_nullable = 'NO'"))
        requiredInViews.insert({ row[0], row[1] });
    for (auto& table : schema.tables)
        if (table.view)
            for (auto& column : table.columns)
                if (requiredInViews.count({ table.name, column.name }))
                    column.nullable = false;

    for (const auto& row : server.Rows(
             "select t.relname, k.contype, array_to_string(array(select a.attname from unnest(k.conkey) with "
             "ordinality u(num, pos) join pg_attribute a on a.attrelid = k.conrelid and a.attnum = u.num "
             "order by u.pos), ','), coalesce(r.relname, ''), array_to_string(array(select a.attname from "
             "unnest(k.confkey) with ordinality u(num, pos) join pg_attribute a on a.attrelid = k.confrelid "
             "and a.attnum = u.num order by u.pos), ','), cardinality(k.conkey) "
             "from pg_constraint k join pg_class t on t.oid = k.conrelid "
             "join pg_namespace n on n.oid = t.relnamespace left join pg_class r on r.oid = k.confrelid "
             "where n.nspname = current_schema() and k.contype in ('p','u','f') order by t.relname, k.conname")) {
        auto table = byName.find(row[0]);
        if (table == byName.end())
            continue;
        TDbTable& t = schema.tables[table->second];
        std::vector<std::string> columns;
        for (size_t start = 0; start <= row[2].size();) {
            size_t comma = row[2].find(',', start);
            columns.push_back(row[2].substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        if (row[1] == "p")
            t.primaryKey = columns;
        else if (row[1] == "u")
            t.uniqueKeys.push_back(columns);
        else if (row[5] == "1" && byName.count(row[3]))
            t.foreignKeys.push_back({ columns[0], row[3], row[4] });
    }

    for (const auto& row :
        server.Rows("select c.relname, g.tgname, g.tgtype from pg_trigger g join pg_class c on c.oid = g.tgrelid "
                    "join pg_namespace n on n.oid = c.relnamespace "
                    "where n.nspname = current_schema() and not g.tgisinternal order by c.relname, g.tgname")) {
        auto table = byName.find(row[0]);
        if (table == byName.end())
            continue;
        int type = std::stoi(row[2]);
        std::string when = (type & 64) ? "INSTEAD OF" : (type & 2) ? "BEFORE" : "AFTER", events;
        for (auto [bit, name] :
            { std::pair(4, "INSERT"), std::pair(16, "UPDATE"), std::pair(8, "DELETE"), std::pair(32, "TRUNCATE") })
            if (type & bit)
                events += (events.empty() ? "" : "/") + std::string(name);
        schema.tables[table->second].triggers.push_back(row[1] + "(" + when + " " + events + ")");
    }
    return schema;
}
