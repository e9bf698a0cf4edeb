#include "AdminTableScript.h"

#include "Printer.h"

namespace {

std::string BuildAdminTableScript(const TGenInput& in)
{
    std::string url = in.database.url;
    for (char& c : url)
        if (c == '\r' || c == '\n')
            c = ' '; // a line break would end the comment
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
        ") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='管理员';\n");
    return out.Str();
}

class TAdminTableScriptGenerator : public IGenerator {
public:
    const char* Name() const override { return "admintable"; }
    bool Enabled(const TGenInput& in) const override { return !in.database.url.empty(); }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
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
