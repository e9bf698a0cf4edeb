#include "AdminTableScript.h"

#include "TextBuilder.h"

namespace {

std::string BuildAdminTableScript(const TGenInput& in)
{
    TText out;
    out.Line("-- 管理员表 t_admin: 登录时读取. 从数据库导入的工程使用已有的数据库, 程序不建表.");
    out.Line("-- 请在应用使用的数据库中执行一次, 例如:");
    out.Line("--   mysql -h 主机 -u 用户名 -p 数据库名 < sql/t_admin.sql");
    out.Line("-- 然后启动应用: 还没有管理员时创建初始管理员 admin, 密码 admin123, 第一次登录后必须修改.");
    std::string url = in.database.url;
    for (char& c : url)
        if (c == '\r' || c == '\n')
            c = ' '; // a line break would end the comment
    out.Line("-- 数据库: " + url);
    out.Line("CREATE TABLE IF NOT EXISTS t_admin (");
    out.Line("  username VARCHAR(20) NOT NULL PRIMARY KEY COMMENT '用户名',");
    out.Line("  password VARCHAR(128) NOT NULL COMMENT '密码的加盐散列'");
    out.Line(") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='管理员';");
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
