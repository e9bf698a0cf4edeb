#include "model/import/DbSchema.h"
#include "model/import/SchemaColumns.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr unsigned kConnectSeconds = 10;
constexpr unsigned kReadSeconds = 30;
// Each read waits at most kReadSeconds; a server that trickles its answer
// (or a read the library repeats) could still hold one query longer.
constexpr unsigned kQuerySeconds = 3 * kReadSeconds;

// Shuts the connection down when a query runs past its deadline: the
// client library's wait then ends with an error, whatever it waits for.
class TQueryWatch {
public:
    TQueryWatch()
        : thread_([this] { Watch(); })
    {
    }
    ~TQueryWatch()
    {
        {
            std::lock_guard<std::mutex> guard(lock_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    TQueryWatch(const TQueryWatch&) = delete;
    TQueryWatch& operator=(const TQueryWatch&) = delete;

    // From now until End, a query on socket.
    void Begin(int socket)
    {
        std::lock_guard<std::mutex> guard(lock_);
        socket_ = socket;
        deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(kQuerySeconds);
        changed_.notify_all();
    }
    void End()
    {
        std::lock_guard<std::mutex> guard(lock_);
        socket_ = -1;
    }
    bool Expired() const { return expired_; }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> guard(lock_);
        while (!stop_) {
            if (socket_ < 0) {
                changed_.wait(guard);
            } else if (std::chrono::steady_clock::now() >= deadline_) {
                expired_ = true;
                ::shutdown(socket_, SHUT_RDWR);
                socket_ = -1;
            } else {
                changed_.wait_until(guard, deadline_);
            }
        }
    }

    std::mutex lock_;
    std::condition_variable changed_;
    int socket_ = -1;
    std::chrono::steady_clock::time_point deadline_;
    bool stop_ = false;
    std::atomic<bool> expired_ { false };
    std::thread thread_; // last: started once the rest is ready
};

// One connection to the server, closed when it goes out of scope.
class TServer {
public:
    explicit TServer(const TDbConnection& c)
        : handle_(Init(), mysql_close)
        , mysql_(handle_.get())
        , server_(c.host + ":" + std::to_string(c.port))
    {
        if (!mysql_)
            throw TDbImportError("无法初始化数据库连接");
        // A server that stops answering must not hold the import for ever.
        unsigned connectTimeout = kConnectSeconds, readTimeout = kReadSeconds;
        mysql_options(mysql_, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
        mysql_options(mysql_, MYSQL_OPT_READ_TIMEOUT, &readTimeout);
        mysql_options(mysql_, MYSQL_OPT_WRITE_TIMEOUT, &readTimeout);
        mysql_options(mysql_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
        if (!mysql_real_connect(
                mysql_, c.host.c_str(), c.user.c_str(), c.password.c_str(), c.database.c_str(), c.port, nullptr, 0))
            throw TDbImportError(ConnectFailure(c));
    }
    // The client library sets itself up on first use, which is not safe
    // from two threads at once: reads may run on workers, so do it once.
    static MYSQL* Init()
    {
        static std::once_flag once;
        std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
        return mysql_init(nullptr);
    }
    TServer(const TServer&) = delete;
    TServer& operator=(const TServer&) = delete;

    std::string Quote(const std::string& text) const
    {
        std::string out(text.size() * 2 + 1, '\0');
        unsigned long n = mysql_real_escape_string(mysql_, out.data(), text.data(), text.size());
        out.resize(n);
        return "'" + out + "'";
    }

    // The rows of a query, every value as text ("" for NULL, with a flag).
    std::vector<std::vector<std::pair<std::string, bool>>> Rows(const std::string& sql) const
    {
        watch_.Begin(static_cast<int>(mysql_get_socket(mysql_)));
        bool failed = mysql_real_query(mysql_, sql.data(), sql.size()) != 0;
        std::unique_ptr<MYSQL_RES, void (*)(MYSQL_RES*)> result(
            failed ? nullptr : mysql_store_result(mysql_), mysql_free_result);
        watch_.End();
        if (!result)
            throw TDbImportError(ReadFailure());
        unsigned fields = mysql_num_fields(result.get());
        std::vector<std::vector<std::pair<std::string, bool>>> rows;
        while (MYSQL_ROW row = mysql_fetch_row(result.get())) {
            unsigned long* lengths = mysql_fetch_lengths(result.get());
            std::vector<std::pair<std::string, bool>> values;
            for (unsigned i = 0; i < fields; ++i)
                values.push_back(row[i] ? std::make_pair(std::string(row[i], lengths[i]), true)
                                        : std::make_pair(std::string(), false));
            rows.push_back(std::move(values));
        }
        return rows;
    }

private:
    std::string ReadFailure() const
    {
        if (watch_.Expired())
            return "数据库服务器 " + server_ + " 的一次查询超过 " + std::to_string(kQuerySeconds) +
                " 秒没有完成，导入已取消。" + EngineText();
        unsigned code = mysql_errno(mysql_);
        if (code == CR_SERVER_LOST || code == CR_SERVER_GONE_ERROR)
            return "数据库服务器 " + server_ + " 超过 " + std::to_string(kReadSeconds) +
                " 秒没有应答或断开了连接，导入已取消。" + EngineText();
        return std::string("读取数据库结构失败。") + EngineText();
    }

    // The client library's own words, in English, kept for whoever has to
    // look further, but marked as such.
    std::string EngineText() const
    {
        return "\n(数据库驱动的原文，错误 " + std::to_string(mysql_errno(mysql_)) + "：" + mysql_error(mysql_) + ")";
    }

    std::string ConnectFailure(const TDbConnection& c) const
    {
        unsigned code = mysql_errno(mysql_);
        std::string engine = EngineText();
        std::string server = c.host + ":" + std::to_string(c.port);
        if (code == CR_CONNECTION_ERROR || code == CR_CONN_HOST_ERROR || code == CR_UNKNOWN_HOST ||
            code == CR_SERVER_LOST || code == CR_SERVER_GONE_ERROR)
            return "无法连接到数据库服务器 " + server + "，请检查主机名、端口和服务器是否已启动。" + engine;
        // A user without rights on every database is told "access denied
        // to database" for one that does not exist: not a wrong password.
        if (code == ER_DBACCESS_DENIED_ERROR)
            return "数据库服务器 " + server + " 上没有数据库 " + c.database + "，或用户 " + c.user +
                " 无权访问它，请检查数据库名。" + engine;
        if (code == ER_ACCESS_DENIED_ERROR)
            return "数据库服务器 " + server + " 拒绝了用户 " + c.user + " 的登录，请检查用户名和密码。" + engine;
        if (code == ER_BAD_DB_ERROR)
            return "数据库服务器 " + server + " 上没有数据库 " + c.database + "。" + engine;
        return "无法连接到数据库服务器 " + server + "。" + engine;
    }

    // Owned from the start: a connect that fails throws from the
    // constructor, where no destructor would close it.
    std::unique_ptr<MYSQL, void (*)(MYSQL*)> handle_;
    MYSQL* mysql_;
    std::string server_;
    mutable TQueryWatch watch_;
};

} // namespace

namespace {

using TRow = std::vector<std::pair<std::string, bool>>; // value, not SQL NULL

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The base tables and views, by name (byte by byte: the same order
// whatever the server's collation). A view's comment is the text "VIEW".
void ReadTables(const TServer& server, const std::string& schema, TDbSchema& result)
{
    for (const TRow& row : server.Rows("select TABLE_NAME, TABLE_COMMENT, TABLE_TYPE from information_schema.TABLES "
                                       "where TABLE_SCHEMA = " +
             schema)) {
        bool view = row[2].first == "VIEW" || row[2].first == "SYSTEM VIEW";
        if (row[2].first == "BASE TABLE" || view)
            result.tables.push_back({ row[0].first, view ? "" : row[1].first, {}, {}, {}, view });
    }
    std::sort(result.tables.begin(), result.tables.end(),
        [](const TDbTable& a, const TDbTable& b) { return a.name < b.name; });
}

// A column from its row of information_schema.COLUMNS (after the table name).
TDbColumn ColumnOf(const TRow& row)
{
    TDbColumn column;
    column.name = row[1].first;
    column.dataType = Lower(row[2].first);
    column.length = row[3].second ? std::stoll(row[3].first) : -1;
    column.nullable = row[4].first == "YES";
    column.comment = row[5].first;
    column.columnType = ColumnTypeText(row[6].first);
    column.precision = row[7].second ? std::stoi(row[7].first) : -1;
    column.scale = row[8].second ? std::stoi(row[8].first) : -1;
    std::string extra = Lower(row[9].first);
    column.autoIncrement = extra.find("auto_increment") != std::string::npos;
    column.onUpdate = extra.find("on update") != std::string::npos;
    // MySQL writes DEFAULT_GENERATED for a default like CURRENT_TIMESTAMP:
    // that column is an ordinary one.
    column.generated = extra.find("virtual generated") != std::string::npos ||
        extra.find("stored generated") != std::string::npos || extra.find("persistent generated") != std::string::npos;
    // MariaDB shows a nullable column without a default as the text NULL
    // (a default of the string 'NULL' is quoted), MySQL as SQL NULL.
    column.hasDefault = row[10].second && row[10].first != "NULL";
    return column;
}

void ReadColumns(
    const TServer& server, const std::string& schema, const std::map<std::string, size_t>& index, TDbSchema& result)
{
    for (const TRow& row :
        server.Rows("select TABLE_NAME, COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, "
                    "IS_NULLABLE, COLUMN_COMMENT, COLUMN_TYPE, NUMERIC_PRECISION, NUMERIC_SCALE, EXTRA, COLUMN_DEFAULT "
                    "from information_schema.COLUMNS "
                    "where TABLE_SCHEMA = " +
            schema + " order by TABLE_NAME, ORDINAL_POSITION")) {
        auto table = index.find(row[0].first);
        if (table != index.end())
            result.tables[table->second].columns.push_back(ColumnOf(row));
    }
}

void ReadPrimaryKeys(
    const TServer& server, const std::string& schema, const std::map<std::string, size_t>& index, TDbSchema& result)
{
    for (const TRow& row : server.Rows("select TABLE_NAME, COLUMN_NAME from information_schema.KEY_COLUMN_USAGE "
                                       "where TABLE_SCHEMA = " +
             schema +
             " and CONSTRAINT_NAME = 'PRIMARY' "
             "order by TABLE_NAME, ORDINAL_POSITION")) {
        auto table = index.find(row[0].first);
        if (table != index.end())
            result.tables[table->second].primaryKey.push_back(row[1].first);
    }
}

// Foreign keys of one column to a table of the same database. Counted here,
// not by a correlated count in the query: information_schema has no index
// for it, and on a thousand tables the server took a minute.
void ReadForeignKeys(
    const TServer& server, const std::string& schema, const std::map<std::string, size_t>& index, TDbSchema& result)
{
    std::vector<TRow> keyRows = server.Rows(
        "select TABLE_NAME, COLUMN_NAME, REFERENCED_TABLE_NAME, REFERENCED_COLUMN_NAME, CONSTRAINT_NAME, "
        "REFERENCED_TABLE_SCHEMA, TABLE_SCHEMA from information_schema.KEY_COLUMN_USAGE where TABLE_SCHEMA = " +
        schema + " and REFERENCED_TABLE_NAME is not null order by TABLE_NAME, COLUMN_NAME");
    std::map<std::pair<std::string, std::string>, int> columnsOfKey;
    for (const TRow& row : keyRows)
        ++columnsOfKey[{ row[0].first, row[4].first }];
    for (const TRow& row : keyRows) {
        auto table = index.find(row[0].first);
        if (table != index.end() && row[5].first == row[6].first && columnsOfKey[{ row[0].first, row[4].first }] == 1)
            result.tables[table->second].foreignKeys.push_back({ row[1].first, row[2].first, row[3].first });
    }
}

// The UNIQUE keys of each table, column by column.
void ReadUniqueKeys(
    const TServer& server, const std::string& schema, const std::map<std::string, size_t>& index, TDbSchema& result)
{
    std::string last;
    for (const TRow& row :
        server.Rows("select k.TABLE_NAME, k.CONSTRAINT_NAME, k.COLUMN_NAME from information_schema.KEY_COLUMN_USAGE k "
                    "join information_schema.TABLE_CONSTRAINTS c on c.CONSTRAINT_SCHEMA = k.CONSTRAINT_SCHEMA "
                    "and c.TABLE_NAME = k.TABLE_NAME and c.CONSTRAINT_NAME = k.CONSTRAINT_NAME "
                    "where k.TABLE_SCHEMA = " +
            schema +
            " and c.CONSTRAINT_TYPE = 'UNIQUE' "
            "order by k.TABLE_NAME, k.CONSTRAINT_NAME, k.ORDINAL_POSITION")) {
        auto table = index.find(row[0].first);
        if (table == index.end())
            continue;
        std::vector<std::vector<std::string>>& keys = result.tables[table->second].uniqueKeys;
        std::string key = row[0].first + "\n" + row[1].first;
        if (key != last || keys.empty())
            keys.emplace_back();
        keys.back().push_back(row[2].first);
        last = key;
    }
}

// The triggers on each table: the import names them.
void ReadTriggers(
    const TServer& server, const std::string& schema, const std::map<std::string, size_t>& index, TDbSchema& result)
{
    for (const TRow& row : server.Rows("select EVENT_OBJECT_TABLE, TRIGGER_NAME, ACTION_TIMING, EVENT_MANIPULATION "
                                       "from information_schema.TRIGGERS where TRIGGER_SCHEMA = " +
             schema + " order by EVENT_OBJECT_TABLE, ACTION_ORDER, TRIGGER_NAME")) {
        auto table = index.find(row[0].first);
        if (table != index.end())
            result.tables[table->second].triggers.push_back(
                row[1].first + "(" + row[2].first + " " + row[3].first + ")");
    }
}

// An identifier in backquotes.
std::string QuoteName(const std::string& name)
{
    std::string quoted = "`";
    for (char c : name)
        quoted += c == '`' ? std::string("``") : std::string(1, c);
    return quoted + "`";
}

// Whether a BIGINT UNSIGNED key holds a value a Java long cannot: one
// lookup on the key's index per such column.
void ReadKeysBeyondLong(const TServer& server, const std::string& database, TDbSchema& result)
{
    for (TDbTable& table : result.tables) {
        if (table.view)
            continue;
        for (const std::string& key : table.primaryKey)
            for (TDbColumn& column : table.columns)
                if (column.name == key && column.dataType == "bigint" && column.Unsigned())
                    column.beyondLong =
                        !server
                             .Rows("select 1 from " + QuoteName(database) + "." + QuoteName(table.name) + " where " +
                                 QuoteName(key) + " > 9223372036854775807 limit 1")
                             .empty();
    }
}

} // namespace

TDbSchema ReadDbSchema(const TDbConnection& connection)
{
    if (connection.kind == "postgresql")
        return ReadPostgresqlSchema(connection);
    // The client library would take 0 as its default 3306 and a larger
    // number modulo 65536: another server either way.
    if (connection.port < 1 || connection.port > 65535)
        throw TDbImportError("端口必须是 1 到 65535 之间的整数!");
    // Empty, the client library would log in as the system user or list
    // no database at all: neither is what the user meant.
    for (auto [value, what] : { std::pair(&connection.host, "主机"), std::pair(&connection.user, "用户名"),
             std::pair(&connection.database, "数据库名") })
        if (value->empty())
            throw TDbImportError(std::string("请填写") + what + "!");
    TServer server(connection);
    std::string schema = server.Quote(connection.database);
    TDbSchema result;
    ReadTables(server, schema, result);
    std::map<std::string, size_t> index;
    for (size_t i = 0; i < result.tables.size(); ++i)
        index[result.tables[i].name] = i;
    ReadColumns(server, schema, index, result);
    ReadPrimaryKeys(server, schema, index, result);
    ReadForeignKeys(server, schema, index, result);
    ReadUniqueKeys(server, schema, index, result);
    ReadTriggers(server, schema, index, result);
    ReadKeysBeyondLong(server, connection.database, result);
    return result;
}
