// struts.xml and hibernate.cfg.xml of the current target: the 6.5 DTD and
// the constants Struts 7 asks for, and the annotated classes with a dialect
// and driver Hibernate 7 and Connector/J 9 still have.
#include "codegen/core/DatabaseUse.h"
#include "codegen/targets/current/CurrentTarget.h"

#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/text/Printer.h"
#include "codegen/text/TextEscape.h"

#include <map>
#include <set>

namespace {

const char* const kStrutsTemplate = "current/src/struts.xml";
const char* const kHibernateTemplate = "current/src/hibernate.cfg.xml";

// The driver and dialect an imported project recorded, as the current
// drivers and Hibernate name them (MySQL5InnoDBDialect is gone).
std::string CurrentDriver(const std::string& driver)
{
    return driver.empty() || driver == "com.mysql.jdbc.Driver" ? "com.mysql.cj.jdbc.Driver" : driver;
}

std::string CurrentDialect(const std::string& dialect)
{
    return dialect.empty() || dialect.rfind("org.hibernate.dialect.MySQL", 0) == 0
        ? "org.hibernate.dialect.MySQLDialect"
        : dialect;
}

// MySQL and MariaDB differ (MariaDB has no "for update of"), and
// Hibernate 7 tells them apart from the connection: for either, the
// configuration names no dialect.
std::string DialectLines(const TProjectDatabase& database)
{
    const std::string& dialect = database.dialect;
    if (UsesPostgresql(database) && (dialect.empty() || dialect.rfind("org.hibernate.dialect.PostgreSQL", 0) == 0))
        return "        <!-- SQL 方言: 不设置, Hibernate 按连接的数据库选择 (PostgreSQL: PostgreSQLDialect) -->\r\n";
    std::string current = CurrentDialect(dialect);
    if (current == "org.hibernate.dialect.MySQLDialect")
        return "        <!-- SQL 方言: 不设置, Hibernate 按连接的数据库选择 (MySQL: MySQLDialect, MariaDB: "
               "MariaDBDialect) -->\r\n";
    return "        <!-- SQL 方言 -->\r\n        <property name=\"hibernate.dialect\">" + XmlText(current) +
        "</property>\r\n";
}

std::string ConnectionLines(const TProjectDatabase& database)
{
    TPrinter out;
    out.Indent(8);
    if (database.Empty() && UsesPostgresql(database)) {
        out.Print("<!-- 数据库连接: 请把数据库名 javaweb、用户名和密码改为实际的值 -->\n"
                  "<property name=\"hibernate.connection.driver_class\">org.postgresql.Driver</property>\n"
                  "<property name=\"hibernate.connection.url\">jdbc:postgresql://localhost:5432/javaweb</property>\n"
                  "<property name=\"hibernate.connection.username\">postgres</property>\n"
                  "<property name=\"hibernate.connection.password\">123456</property>");
        return out.Str();
    }
    if (database.Empty()) {
        out.Print("<!-- 数据库连接: 请把数据库名 javaweb、用户名和密码改为实际的值 -->\n"
                  "<property name=\"hibernate.connection.driver_class\">com.mysql.cj.jdbc.Driver</property>\n"
                  "<property name=\"hibernate.connection.url\">jdbc:mysql://localhost:3306/"
                  "javaweb?useUnicode=true&amp;characterEncoding=UTF-8</property>\n"
                  "<property name=\"hibernate.connection.username\">root</property>\n"
                  "<property name=\"hibernate.connection.password\">123456</property>");
        return out.Str();
    }
    out.Print({ { "user", XmlCommentText(database.user) }, { "driver", XmlText(CurrentDriver(database.driver)) },
                  { "url", XmlText(database.url) }, { "username", XmlText(database.user) } },
        "<!-- 数据库连接: 工程导入自这个数据库; 请在 password 中填写用户 $user$ 的密码 -->\n"
        "<property name=\"hibernate.connection.driver_class\">$driver$</property>\n"
        "<property name=\"hibernate.connection.url\">$url$</property>\n"
        "<property name=\"hibernate.connection.username\">$username$</property>\n"
        "<property name=\"hibernate.connection.password\"></property>");
    return out.Str();
}

std::string SchemaLines(const TProjectDatabase& database)
{
    TPrinter out;
    out.Indent(8);
    if (database.Empty())
        out.Print("<!-- 启动时按领域类的注解创建或补齐数据表 -->\n"
                  "<property name=\"hibernate.hbm2ddl.auto\">update</property>");
    else
        out.Print("<!-- 数据表已在数据库中: 不设置 hibernate.hbm2ddl.auto, Hibernate 不会创建或修改任何数据表 -->");
    return out.Str();
}

std::string MappingLines(const TGenInput& in)
{
    TPrinter out;
    out.Indent(8);
    for (size_t i = 0; i < in.classes.size(); ++i)
        out.Print({ { "pkg", in.packageName }, { "C", in.classes[i].name } },
            i + 1 < in.classes.size() ? "<mapping class=\"com.$pkg$.domain.$C$\" />\n"
                                      : "<mapping class=\"com.$pkg$.domain.$C$\" />");
    return out.Str();
}

class TStrutsGenerator : public IGenerator {
public:
    const char* Name() const override { return "struts"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        out.push_back({ in.SourceDir(), "struts.xml", BuildCurrentStrutsConfig(in), TEncoding::Utf8Bom, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.SourceDir() }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kStrutsTemplate } }; }
};

class THibernateGenerator : public IGenerator {
public:
    const char* Name() const override { return "hibernate"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        out.push_back(
            { in.SourceDir(), "hibernate.cfg.xml", BuildCurrentHibernateConfig(in), TEncoding::Gbk, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.SourceDir() }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kHibernateTemplate } }; }
};

} // namespace

std::string BuildCurrentStrutsConfig(const TGenInput& in)
{
    TIdList classes;
    std::set<std::string> readOnly;
    for (const auto& c : in.classes) {
        classes.push_back({ c.name, c.classId });
        if (c.readOnly)
            readOnly.insert(c.name);
    }
    // A class with bytes also downloads them; a request of up to 17 MB (a
    // MEDIUMBLOB's file and the form's fields) is taken.
    bool uploads = false;
    std::map<std::string, TStrutsPackageExtras> extras;
    for (const auto& c : in.classes) {
        std::string downloads;
        for (const TMember& m : BinaryMembers(c))
            downloads += ",Download" + c.name + CapitalizedName(m.GetMemberName());
        uploads = uploads || !downloads.empty();
        extras[c.name].moreMethods = downloads;
        // The filter cannot read an upload's body: a guard checks it before
        // Struts sets any field.
        if (!downloads.empty() && in.webapp)
            extras[c.name].afterOpening = "           <interceptors>\r\n"
                                          "             <interceptor name=\"uploadGuard\" class=\"com." +
                in.packageName +
                ".utils.UploadGuard\"/>\r\n"
                "             <interceptor-stack name=\"uploadStack\">\r\n"
                "               <interceptor-ref name=\"uploadGuard\"/>\r\n"
                "               <interceptor-ref name=\"defaultStack\"/>\r\n"
                "             </interceptor-stack>\r\n"
                "           </interceptors>\r\n"
                "           <default-interceptor-ref name=\"uploadStack\"/>\r\n";
    }
    std::string block = BuildStrutsBlock(in.packageName, classes, readOnly, extras);
    return FillTemplate(in.templates.Text(kStrutsTemplate),
        { { "$struts2ConfigString", block }, { "$multipartMaxSize", uploads ? "17825792" : "0" },
            { "$packageName", in.packageName }, { "$packagePath", in.packagePath } });
}

std::string BuildCurrentHibernateConfig(const TGenInput& in)
{
    return FillTemplate(in.templates.Text(kHibernateTemplate),
        { { "$hibernateConfigString", MappingLines(in) },
            { "$hibernateConnectionConfigString", ConnectionLines(in.database) },
            { "$hibernateDialectConfigString", DialectLines(in.database) },
            { "$hibernateSchemaConfigString", SchemaLines(in.database) }, { "$packageName", in.packageName },
            { "$packagePath", in.packagePath } });
}

const IGenerator& CurrentStrutsGenerator()
{
    static const TStrutsGenerator generator;
    return generator;
}

const IGenerator& CurrentHibernateGenerator()
{
    static const THibernateGenerator generator;
    return generator;
}
