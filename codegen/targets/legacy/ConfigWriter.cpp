#include "codegen/targets/legacy/ConfigWriter.h"
#include "codegen/core/DatabaseUse.h"

#include "codegen/targets/legacy/ColumnTypes.h"
#include "codegen/text/TextBuilder.h"
#include "codegen/text/TextEscape.h"
#include "model/rules/JavaWords.h"
#include "model/store/MemberTypes.h"

#include <map>
#include <set>
#include <vector>

std::string Quoted(const std::string& name)
{
    return IsSqlReservedWord(name) ? "`" + name + "`" : name;
}

std::string ColumnOf(const TMember& m)
{
    return m.GetColumnName().empty() ? m.GetMemberName() : Quoted(m.GetColumnName());
}

std::string ReferenceColumn(const TClassMember& mapped, std::set<std::string>& columns)
{
    const TMember& m = mapped.member;
    std::string column = ColumnOf(m);
    // An imported foreign key names its own column.
    if (m.GetColumnName().empty()) {
        column = mapped.referencedKey.empty() ? m.GetMemberName() : mapped.referencedKey;
        // Two properties of one class cannot share a column: a second
        // reference to the same class, or a key name that another member of
        // this class has, takes the member's own name.
        if (columns.count(column))
            column = m.GetMemberName();
        while (columns.count(column))
            column += "_";
    }
    columns.insert(column);
    return column;
}

namespace {

const std::string kStrutsIndent(9, ' ');
const std::string kHibernateIndent(8, ' ');
const std::string kMappingIndent(10, ' ');

// Lines of a mapping file: every line starts with the file's indent.
class TMappingText {
public:
    void Line(const std::string& text) { text_.Line(kMappingIndent + text); }
    void Empty() { text_.Empty(); }
    std::string Str() const { return text_.Str(); }

private:
    TText text_;
};

void AddIdentifier(TMappingText& out, const TMember& key, bool identity)
{
    out.Line("<!-- 主键" + XmlCommentText(key.GetMemberComment()) + " -->");
    const std::string& p = key.GetMemberName();
    bool number = IsNumberKey(key);
    std::string generator = KeyGeneratorOf(key);
    if (identity && generator == "native")
        generator = "identity";
    if (number) {
        out.Line("<id name=\"" + p + "\" column=\"" + ColumnOf(key) + "\">");
    } else if (key.GetColumnName().empty()) {
        out.Line("<id name=\"" + p + "\" type=\"string\" length=\"20\">");
    } else {
        int length = key.GetMemberLength() > 0 ? key.GetMemberLength() : 20;
        out.Line("<id name=\"" + p + "\" column=\"" + ColumnOf(key) + "\" type=\"string\" length=\"" +
            std::to_string(length) + "\">");
    }
    out.Line("  <generator class=\"" + generator + "\"/>");
    out.Line("</id>");
    out.Empty();
}

// A table's key of several columns: the object itself is its identifier.
void AddCompositeIdentifier(TMappingText& out, const std::vector<TMember>& keys)
{
    std::string comments;
    for (const TMember& key : keys)
        comments += (comments.empty() ? "" : ", ") + XmlCommentText(key.GetMemberComment());
    out.Line("<!-- 复合主键: " + comments + " -->");
    out.Line("<composite-id>");
    for (const TMember& key : keys) {
        std::string type = key.GetMemberType() == kTypeString
            ? "string\" length=\"" + std::to_string(key.GetMemberLength() > 0 ? key.GetMemberLength() : 20)
            : key.GetMemberType() == kTypeLong ? "long"
                                               : "int";
        out.Line("  <key-property name=\"" + key.GetMemberName() + "\" column=\"" + ColumnOf(key) + "\" type=\"" +
            type + "\"/>");
    }
    out.Line("</composite-id>");
    out.Empty();
}

// The longest text a VARCHAR of MariaDB holds in a row is shorter than
// this: a column imported as TEXT is mapped as text.
const int kTextLength = 65535;
// The longest VARCHAR HSQLDB creates in the tests (16 MB).
const int kLongestVarchar = 16777215;

// The end of a property: what the database fills is not written by the
// application.
void CloseProperty(TMappingText& out, const TMember& m)
{
    if (!InsertedByApplication(m))
        out.Line("  insert=\"false\"");
    if (!UpdatedByApplication(m))
        out.Line("  update=\"false\"");
    out.Line("/>");
}

// The lines of a simple property between its column and its end: the
// Hibernate type and what goes with it. An empty string is an empty line.
std::vector<std::string> TypeLines(const TMember& m)
{
    const std::string& type = m.GetMemberType();
    bool imported = !m.GetColumnName().empty();
    if (type == kTypeString) {
        // An empty optional text is stored as NULL; "$packageName" is
        // replaced once the content is in its template. A TEXT column gets
        // a length HSQLDB can create (MariaDB's table is as it is).
        if (UsesOptionalTextType(m))
            return { "  \ttype=\"com.$packageName.utils.OptionalTextType\"",
                "  length=\"" + std::to_string(std::min(m.GetMemberLength(), kLongestVarchar)) + "\"" };
        if (imported && m.GetMemberLength() >= kTextLength)
            return { "  type=\"text\"" };
        return { "  type=\"string\"", "  length=\"" + std::to_string(m.GetMemberLength()) + "\"" };
    }
    if (type == kTypeDate) {
        // An imported date reads its column as the text it was written with.
        // A DATETIME column's text is 19 characters, a TIME's 8.
        int length = imported && m.GetMemberLength() > 0 ? m.GetMemberLength() : 10;
        return { UsesDateTextType(m) ? "  \ttype=\"com.$packageName.utils.DateTextType\"" : "  \ttype=\"string\"",
            "  \tlength=\"" + std::to_string(length) + "\"" };
    }
    if (type == kTypeDecimal) {
        if (m.GetMemberPrecision() <= 0)
            return { "  type=\"big_decimal\"" };
        return { "  type=\"big_decimal\"", "  precision=\"" + std::to_string(m.GetMemberPrecision()) + "\"",
            "  scale=\"" + std::to_string(m.GetMemberScale()) + "\"" };
    }
    // The integer's empty line is as the mapping has always had it.
    static const std::map<std::string, std::vector<std::string>> fixed = {
        { kTypeInteger, { "  type=\"int\"", "" } },
        { kTypeFloat, { "  type=\"float\"" } },
        { kTypeLong, { "  type=\"long\"" } },
        { kTypeDouble, { "  type=\"double\"" } },
    };
    auto found = fixed.find(type);
    return found != fixed.end() ? found->second : std::vector<std::string>();
}

// A many-to-one to another class; the run has checked that the referenced
// class and its key exist.
void AddReference(TMappingText& out, const TClassMember& mapped, std::set<std::string>& columns, bool cascade)
{
    const TMember& m = mapped.member;
    const std::string& name = m.GetMemberName();
    std::string column = ReferenceColumn(mapped, columns);
    out.Line("<!-- 多对一属性: " + XmlCommentText(m.GetMemberComment()) + " -->");
    out.Line("<many-to-one name=\"" + name + "\"");
    out.Line("  column=\"" + column + "\"");
    out.Line("  class=\"" + m.GetMemberType() + "\"");
    out.Line("  lazy=\"false\"");
    out.Line("  outer-join=\"true\"");
    if (cascade)
        out.Line("  cascade=\"save-update\"");
    CloseProperty(out, m);
    out.Empty();
}

void AddProperty(TMappingText& out, const TClassMember& mapped, std::set<std::string>& columns, bool cascade)
{
    const TMember& m = mapped.member;
    if (!IsSimpleType(m.GetMemberType()))
        return AddReference(out, mapped, columns, cascade);
    out.Line("<!-- 简单" + m.GetMemberType() + "属性: " + XmlCommentText(m.GetMemberComment()) + " -->");
    out.Line("<property");
    out.Line("  name=\"" + m.GetMemberName() + "\"");
    out.Line("  column=\"" + ColumnOf(m) + "\"");
    for (const std::string& line : TypeLines(m)) {
        if (line.empty())
            out.Empty();
        else
            out.Line(line);
    }
    CloseProperty(out, m);
    out.Empty();
}

} // namespace

std::string BuildStrutsBlock(const std::string& packageName, const TIdList& classes,
    const std::set<std::string>& readOnlyClasses, const std::map<std::string, TStrutsPackageExtras>& extras)
{
    static const TStrutsPackageExtras none;
    TText out;
    const std::string& in = kStrutsIndent;
    for (const auto& entry : classes) {
        const std::string& c = entry.text;
        auto found = extras.find(c);
        const TStrutsPackageExtras& more = found == extras.end() ? none : found->second;
        out.Line(in + "<!-- " + c + "Action配置 -->");
        out.Line(in + "<package name=\"" + c + "\" namespace=\"/" + c + "\" extends=\"struts-default\">");
        out.Append(more.afterOpening);
        out.Line(in + "  <action name=\"" + c + "_*\" class=\"com." + packageName + ".action." + c +
            "Action\" method=\"{1}\">");
        out.Line(in + "    <result name=\"add_view\">/" + c + "_add.jsp</result>");
        out.Line(in + "    <result name=\"input\">/" + c + "_add.jsp</result>");
        out.Line(in + "    <result name=\"add_success\">/message.jsp</result>");
        out.Line(in + "    <result name=\"delete_success\">/message.jsp</result>");
        out.Line(in + "    <result name=\"modify_success\">/message.jsp</result>");
        out.Line(in + "    <result name=\"error\">/error.jsp</result>");
        out.Line(in + "    <result name=\"query_view\">/" + c + "_query_result.jsp</result>");
        out.Line(in + "    <result name=\"modify_view\">/" + c + "_modify.jsp</result>");
        // Only the Action's operations may be called through the wildcard.
        // A view's rows are only listed and queried.
        if (readOnlyClasses.count(c))
            out.Line(in + "    <allowed-methods>Query" + c + "</allowed-methods>");
        else
            out.Line(in + "    <allowed-methods>AddView,Add" + c + ",Query" + c + ",Modify" + c + "Query,Modify" + c +
                ",Delete" + c + more.moreMethods + "</allowed-methods>");
        out.Line(in + "  </action>");
        out.Line(in + "</package>");
        out.Empty();
    }
    return out.Str();
}

std::string BuildHibernateMappingLines(const std::string& packagePath, const TIdList& classes)
{
    TText out;
    for (const auto& entry : classes)
        out.Line(
            kHibernateIndent + "<mapping resource=\"com/" + packagePath + "/domain/" + entry.text + ".hbm.xml\" />");
    return out.Str();
}

// A many-to-many: the pairs of a link table, read with the object (in
// batches, as the references are) and rewritten when the set changes.
void AddCollection(TMappingText& out, const TCollectionMember& m)
{
    out.Line("<!-- 多对多属性: " + XmlCommentText(m.comment) + " -->");
    out.Line("<set name=\"" + m.name + "\" table=\"" + Quoted(m.linkTable) + "\" lazy=\"false\">");
    out.Line("  <key column=\"" + Quoted(m.ownerColumn) + "\"/>");
    out.Line("  <many-to-many class=\"" + m.type + "\" column=\"" + Quoted(m.column) + "\"/>");
    out.Line("</set>");
    out.Empty();
}

std::string BuildMappingContent(const TClassData& c, bool identity)
{
    TMappingText out;
    std::set<std::string> columns; // of the key and the simple properties
    if (c.CompositeKey())
        AddCompositeIdentifier(out, c.keys);
    else
        AddIdentifier(out, c.primary, identity);
    columns.insert(ColumnOf(c.primary));
    for (const TMember& key : c.keys)
        columns.insert(ColumnOf(key));
    for (const auto& mapped : c.members)
        if (mapped.isNonPrimary && IsSimpleType(mapped.member.GetMemberType()))
            columns.insert(ColumnOf(mapped.member));
    // Saving an imported object never writes the rows it refers to.
    bool cascade = c.cascade && c.tableName.empty();
    for (const auto& mapped : c.members)
        if (mapped.isNonPrimary)
            AddProperty(out, mapped, columns, cascade);
    for (const auto& collection : c.collections)
        AddCollection(out, collection);
    return out.Str();
}

namespace {

const char* const kStrutsTemplate = "src/struts.xml";
const char* const kHibernateTemplate = "src/hibernate.cfg.xml";
const char* const kMappingTemplate = "src/com/packageName/domain/className.hbm.xml";

TIdList ClassList(const std::vector<TClassData>& classes)
{
    TIdList list;
    for (const auto& c : classes)
        list.push_back({ c.name, c.classId });
    return list;
}

std::set<std::string> ReadOnlyClasses(const std::vector<TClassData>& classes)
{
    std::set<std::string> names;
    for (const auto& c : classes)
        if (c.readOnly)
            names.insert(c.name);
    return names;
}

// struts.xml: one package block per class in its template.
class TStrutsConfigGenerator : public IGenerator {
public:
    const char* Name() const override { return "struts"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        std::string text = FillTemplate(in.templates.Text(kStrutsTemplate),
            { { "$struts2ConfigString",
                  BuildStrutsBlock(in.packageName, ClassList(in.classes), ReadOnlyClasses(in.classes)) },
                { "$packageName", in.packageName }, { "$packagePath", in.packagePath } });
        out.push_back({ in.SourceDir(), "struts.xml", text, TEncoding::Utf8Bom, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.SourceDir() }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kStrutsTemplate } }; }
};

// The connection of hibernate.cfg.xml: the template's example database, or
// the one an imported project came from, with the password left to fill in.
std::string ConnectionLines(const TProjectDatabase& database)
{
    const std::string in(8, ' ');
    TText out;
    if (database.Empty() && UsesPostgresql(database)) {
        out.Line(in + "<!-- 数据库连接: 请把数据库名 javaweb、用户名和密码改为实际的值 -->");
        out.Line(in + "<property name=\"hibernate.connection.driver_class\">org.postgresql.Driver</property>");
        out.Line(
            in + "<property name=\"hibernate.connection.url\">jdbc:postgresql://localhost:5432/javaweb</property>");
        out.Line(in + "<property name=\"hibernate.connection.username\">postgres</property>");
        out.Append(in + "<property name=\"hibernate.connection.password\">123456</property>");
        return out.Str();
    }
    if (database.Empty()) {
        out.Line(in + "<!-- 数据库连接: 请把数据库名 javaweb、用户名和密码改为实际的值 -->");
        out.Line(in + "<property name=\"hibernate.connection.driver_class\">com.mysql.jdbc.Driver</property>");
        out.Line(in +
            "<property name=\"hibernate.connection.url\">jdbc:mysql://localhost:3306/"
            "javaweb?useUnicode=true&amp;characterEncoding=UTF-8</property>");
        out.Line(in + "<property name=\"hibernate.connection.username\">root</property>");
        out.Append(in + "<property name=\"hibernate.connection.password\">123456</property>");
        return out.Str();
    }
    out.Line(in + "<!-- 数据库连接: 工程导入自这个数据库; 请在 password 中填写用户 " + XmlCommentText(database.user) +
        " 的密码 -->");
    out.Line(in + "<property name=\"hibernate.connection.driver_class\">" + XmlText(database.driver) + "</property>");
    out.Line(in + "<property name=\"hibernate.connection.url\">" + XmlText(database.url) + "</property>");
    out.Line(in + "<property name=\"hibernate.connection.username\">" + XmlText(database.user) + "</property>");
    out.Append(in + "<property name=\"hibernate.connection.password\"></property>");
    return out.Str();
}

// An imported schema's references may reach more tables within a few steps
// than one statement may join (61 on MariaDB).
const char* const kFetchDepthComment =
    "<!-- 读取一个对象时只连接它直接引用的表, 再往下引用的对象按主键另外成批读取: "
    "引用多、引用链长的表不会在一条 SQL 中连接超过数据库允许的表数(MariaDB 最多 61 个) -->";

// Whether Hibernate may create tables: in a database of its own, yes; in
// the database a project was imported from, never.
std::string SchemaLines(const TProjectDatabase& database)
{
    const std::string in(8, ' ');
    TText out;
    if (database.Empty()) {
        out.Line(in + "<!-- 启动时按映射文件创建或补齐数据表 -->");
        out.Append(in + "<property name=\"hibernate.hbm2ddl.auto\">update</property>");
    } else {
        out.Line(in + "<!-- 数据表已在数据库中: 不设置 hibernate.hbm2ddl.auto, Hibernate 不会创建或修改任何数据表 -->");
        out.Line(in + kFetchDepthComment);
        out.Append(in + "<property name=\"hibernate.max_fetch_depth\">1</property>");
    }
    return out.Str();
}

// hibernate.cfg.xml: one mapping line per class.
class THibernateConfigGenerator : public IGenerator {
public:
    const char* Name() const override { return "hibernate"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        // One pass: the database's texts are never searched for placeholders.
        std::string text = FillTemplate(in.templates.Text(kHibernateTemplate),
            { { "$hibernateConfigString", BuildHibernateMappingLines(in.packagePath, ClassList(in.classes)) },
                { "$hibernateConnectionConfigString", ConnectionLines(in.database) },
                { "$hibernateDialectComment",
                    UsesPostgresql(in.database) ? "PostgreSQL 的 SQL 方言"
                                                : "MySQL 5 (InnoDB 表, 支持事务与外键) 的 SQL 方言" },
                { "$hibernateDialect",
                    XmlText(!in.database.dialect.empty()  ? in.database.dialect
                            : UsesPostgresql(in.database) ? "org.hibernate.dialect.PostgreSQLDialect"
                                                          : "org.hibernate.dialect.MySQL5InnoDBDialect") },
                { "$hibernateSchemaConfigString", SchemaLines(in.database) }, { "$packageName", in.packageName },
                { "$packagePath", in.packagePath } });
        out.push_back({ in.SourceDir(), "hibernate.cfg.xml", text, TEncoding::Gbk, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.SourceDir() }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kHibernateTemplate } }; }
};

// One Hibernate mapping file per class.
class TMappingFileGenerator : public IGenerator {
public:
    const char* Name() const override { return "mapping"; }
    void ClassFiles(const TGenInput& in, const TClassData& c, TFiles& out) const override
    {
        out.push_back(
            { in.KindDir("domain"), c.name + ".hbm.xml", BuildMappingFile(in, c), TEncoding::Utf8Bom, "生成完成!" });
    }
    std::vector<std::string> ClassFileNames(const std::string& className) const override
    {
        return { className + ".hbm.xml" };
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.KindDir("domain") }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kMappingTemplate } }; }
    int PreviewRank() const override { return 1; }
};

} // namespace

std::string BuildMappingFile(const TGenInput& in, const TClassData& c)
{
    // The content's only placeholder is the package of the column types, on
    // a line of its own; comments (model text) are never searched.
    // A PostgreSQL table of the user's numbers its rows from its own
    // serial or identity column (native would ask for hibernate_sequence).
    bool identity = UsesPostgresql(in.database) && !in.database.url.empty();
    std::string content =
        ReplaceAll(BuildMappingContent(c, identity), "\r\n" + kMappingIndent + "  \ttype=\"com.$packageName.",
            "\r\n" + kMappingIndent + "  \ttype=\"com." + in.packageName + ".");
    return FillTemplate(in.templates.Text(kMappingTemplate),
        { { "$hibernateContentConfigString", content }, { "$packageName", in.packageName },
            { "$packagePath", in.packagePath },
            { "$tableName", c.tableName.empty() ? "t_" + c.name : Quoted(c.tableName) }, { "$className", c.name },
            // A table of the user's: only the columns a save changes are
            // written, and a column left empty on add gets its default.
            // A view is never written.
            { "$classAttributes",
                std::string(c.tableName.empty() ? "" : " dynamic-insert=\"true\" dynamic-update=\"true\"") +
                    (c.readOnly ? " mutable=\"false\"" : "") } });
}

const IGenerator& StrutsConfigGenerator()
{
    static const TStrutsConfigGenerator generator;
    return generator;
}

const IGenerator& HibernateConfigGenerator()
{
    static const THibernateConfigGenerator generator;
    return generator;
}

const IGenerator& MappingFileGenerator()
{
    static const TMappingFileGenerator generator;
    return generator;
}
