#include "codegen/targets/legacy/AdminTableScript.h"

#include "codegen/core/DatabaseUse.h"
#include "codegen/text/Printer.h"

#include <cctype>

namespace {

// PostgreSQL has no COMMENT clause in CREATE TABLE: the comments follow it.
std::string BuildPostgresqlAdminTableScript(const std::string& url)
{
    TPrinter out;
    out.Print({ { "url", url } },
        "-- 管理员表 t_admin: 登录时读取. 从数据库导入的工程使用已有的数据库, 程序不建表.\n"
        "-- 请在应用使用的数据库中执行一次, 例如:\n"
        "--   psql -h 主机 -U 用户名 -d 数据库名 -f sql/t_admin.sql\n"
        "-- 然后启动应用: 还没有管理员时创建初始管理员 admin, 密码 admin123, 第一次登录后必须修改.\n"
        "-- 数据库: $url$\n"
        "CREATE TABLE IF NOT EXISTS t_admin (\n"
        "  username VARCHAR(20) NOT NULL PRIMARY KEY,\n"
        "  password VARCHAR(128) NOT NULL\n"
        ");\n"
        "COMMENT ON TABLE t_admin IS '管理员';\n"
        "COMMENT ON COLUMN t_admin.username IS '用户名';\n"
        "COMMENT ON COLUMN t_admin.password IS '密码的加盐散列';\n"
        "-- 登录失败次数: 按账号计, 同一数据库上的多个应用实例共用.\n"
        "CREATE TABLE IF NOT EXISTS t_login_failure (\n"
        "  account VARCHAR(200) NOT NULL PRIMARY KEY,\n"
        "  failures INTEGER NOT NULL,\n"
        "  last_failure BIGINT NOT NULL\n"
        ");\n"
        "COMMENT ON TABLE t_login_failure IS '登录失败次数';\n"
        "COMMENT ON COLUMN t_login_failure.account IS '账号';\n"
        "COMMENT ON COLUMN t_login_failure.failures IS '连续失败次数';\n"
        "COMMENT ON COLUMN t_login_failure.last_failure IS '最后一次尝试的时间(毫秒)';\n");
    return out.Str();
}

std::string BuildAdminTableScript(const TGenInput& in)
{
    std::string url = !in.database.url.empty() ? in.database.url
        : UsesPostgresql(in.database)          ? "jdbc:postgresql://localhost:5432/javaweb"
                                               : "jdbc:mysql://localhost:3306/javaweb";
    for (char& c : url)
        if (c == '\r' || c == '\n')
            c = ' '; // a line break would end the comment
    if (UsesPostgresql(in.database))
        return BuildPostgresqlAdminTableScript(url);
    TPrinter out;
    out.Print({ { "url", url } },
        "-- 管理员表 t_admin: 登录时读取. 从数据库导入的工程使用已有的数据库, 程序不建表.\n"
        "-- 请在应用使用的数据库中执行一次, 例如:\n"
        "--   mysql -h 主机 -u 用户名 -p 数据库名 < sql/t_admin.sql\n"
        "-- 然后启动应用: 还没有管理员时创建初始管理员 admin, 密码 admin123, 第一次登录后必须修改.\n"
        "-- 数据库: $url$\n"
        "CREATE TABLE IF NOT EXISTS t_admin (\n"
        "  username VARCHAR(20) NOT NULL PRIMARY KEY COMMENT '用户名',\n"
        "  password VARCHAR(128) NOT NULL COMMENT '密码的加盐散列'\n"
        ") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='管理员';\n"
        "-- 登录失败次数: 按账号计, 同一数据库上的多个应用实例共用.\n"
        "CREATE TABLE IF NOT EXISTS t_login_failure (\n"
        "  account VARCHAR(200) NOT NULL PRIMARY KEY COMMENT '账号',\n"
        "  failures INTEGER NOT NULL COMMENT '连续失败次数',\n"
        "  last_failure BIGINT NOT NULL COMMENT '最后一次尝试的时间(毫秒)'\n"
        ") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='登录失败次数';\n");
    return out.Str();
}

// The database's name in a JDBC URL: what follows the host's slash, up to
// a question mark; javaweb when there is none.
std::string DatabaseName(const std::string& url)
{
    size_t scheme = url.find("//");
    size_t slash = url.find('/', scheme == std::string::npos ? 0 : scheme + 2);
    if (scheme == std::string::npos || slash == std::string::npos)
        return "javaweb";
    std::string name = url.substr(slash + 1, url.find('?', slash) - slash - 1);
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '$')
            return "javaweb";
    return name.empty() ? "javaweb" : name;
}

std::string BuildCreateDatabaseScript(const TGenInput& in)
{
    TPrinter out;
    if (UsesPostgresql(in.database)) {
        // template0: the database takes UTF8 whatever the cluster's default is.
        out.Print({ { "db", DatabaseName(in.database.url) } },
            "-- 建库: 以 PostgreSQL 管理员身份执行一次, 例如:\n"
            "--   sudo -u postgres psql -f sql/create_database.sql\n"
            "-- 库名 $db$ 与 src/hibernate.cfg.xml 中连接地址里的一致; 改名时两处一起改.\n"
            "-- 编码 UTF8: 中文和表情符号都能保存.\n"
            "CREATE DATABASE $db$ ENCODING 'UTF8' TEMPLATE template0;\n"
            "-- 建议为应用另建账号, 把密码写进 src/hibernate.cfg.xml (去掉下面两行开头的 -- 并改密码):\n"
            "-- CREATE USER $db$ WITH PASSWORD '请改为密码';\n"
            "-- ALTER DATABASE $db$ OWNER TO $db$;\n"
            "-- 由程序建表的工程: 启动时按映射建表; 从数据库导入的工程: 再执行一次 sql/t_admin.sql.\n");
        return out.Str();
    }
    out.Print({ { "db", DatabaseName(in.database.url) } },
        "-- 建库: 以 MariaDB/MySQL 管理员身份执行一次, 例如:\n"
        "--   mariadb -u root -p < sql/create_database.sql      (MySQL: mysql -u root -p < sql/create_database.sql)\n"
        "-- 库名 $db$ 与 src/hibernate.cfg.xml 中连接地址里的一致; 改名时两处一起改.\n"
        "-- 字符集 utf8mb4: 中文和表情符号都能保存 (latin1 的库存不了中文, 应用启动时会在日志和登录页面说明).\n"
        "CREATE DATABASE IF NOT EXISTS $db$ CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;\n"
        "-- 建议为应用另建账号, 把密码写进 src/hibernate.cfg.xml (去掉下面两行开头的 -- 并改密码):\n"
        "-- CREATE USER '$db$'@'localhost' IDENTIFIED BY '请改为密码';\n"
        "-- GRANT SELECT, INSERT, UPDATE, DELETE, CREATE, ALTER, INDEX, REFERENCES ON $db$.* TO '$db$'@'localhost';\n"
        "-- 由程序建表的工程: 启动时按映射建表; 从数据库导入的工程: 再执行一次 sql/t_admin.sql.\n");
    return out.Str();
}

class TAdminTableScriptGenerator : public IGenerator {
public:
    const char* Name() const override { return "admintable"; }
    bool Enabled(const TGenInput& in) const override { return !in.database.url.empty() || in.webapp; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        if (in.webapp)
            out.push_back(
                { "sql", "create_database.sql", BuildCreateDatabaseScript(in), TEncoding::Utf8, "生成完成!" });
        out.push_back({ "sql", "t_admin.sql", BuildAdminTableScript(in), TEncoding::Utf8, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput&) const override { return { "sql" }; }
};

} // namespace

const IGenerator& AdminTableScriptGenerator()
{
    static const TAdminTableScriptGenerator generator;
    return generator;
}
