#include "ConfigWriter.h"

#include "MemberTypes.h"
#include "TextBuilder.h"
#include "TextEscape.h"

#include <set>

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

void AddIdentifier(TMappingText& out, const TMember& key)
{
    out.Line("<!-- 主键" + XmlCommentText(key.GetMemberComment()) + " -->");
    if (key.GetMemberIsInteger() == 1) {
        out.Line("<id name=\"" + key.GetMemberName() + "\" column=\"" + key.GetMemberName() + "\">");
        out.Line("  <generator class=\"native\"/>");
    } else {
        out.Line("<id name=\"" + key.GetMemberName() + "\" type=\"string\" length=\"20\">");
        out.Line("  <generator class=\"assigned\"/>");
    }
    out.Line("</id>");
    out.Empty();
}

void AddProperty(TMappingText& out, const TClassMember& mapped, std::set<std::string>& columns, bool cascade)
{
    const TMember& m = mapped.member;
    const std::string& name = m.GetMemberName();
    const std::string& type = m.GetMemberType();
    std::string comment = XmlCommentText(m.GetMemberComment());
    if (type == kTypeString) {
        out.Line("<!-- 简单字符串属性: " + comment + " -->");
        out.Line("<property");
        out.Line("  name=\"" + name + "\"");
        out.Line("  column=\"" + name + "\"");
        out.Line("  type=\"string\"");
        out.Line("  length=\"" + std::to_string(m.GetMemberLength()) + "\"");
        out.Line("/>");
        out.Empty();
    } else if (type == kTypeInteger) {
        out.Line("<!-- 简单整型属性: " + comment + " -->");
        out.Line("<property");
        out.Line("  name=\"" + name + "\"");
        out.Line("  column=\"" + name + "\"");
        out.Line("  type=\"int\"");
        out.Empty();
        out.Line("/>");
        out.Empty();
    } else if (type == kTypeFloat) {
        out.Line("<!-- 简单浮点型属性: " + comment + " -->");
        out.Line("<property");
        out.Line("  name=\"" + name + "\"");
        out.Line("  column=\"" + name + "\"");
        out.Line("  type=\"float\"");
        out.Line("/>");
        out.Empty();
    } else if (type == kTypeDate) {
        out.Line("<!-- 简单日期型属性: " + comment + " -->");
        out.Line("<property");
        out.Line("  name=\"" + name + "\"");
        out.Line("  column=\"" + name + "\"");
        out.Line("  \ttype=\"string\"");
        out.Line("  \tlength=\"10\"");
        out.Line("/>");
        out.Empty();
    } else {
        // The run has checked that the referenced class and its key exist.
        std::string column = mapped.referencedKey.empty() ? name : mapped.referencedKey;
        // Two properties of one class cannot share a column: a second
        // reference to the same class, or a key name that another member of
        // this class has, takes the member's own name.
        if (columns.count(column))
            column = name;
        while (columns.count(column))
            column += "_";
        columns.insert(column);
        out.Line("<!-- 多对一属性: " + comment + " -->");
        out.Line("<many-to-one name=\"" + name + "\"");
        out.Line("  column=\"" + column + "\"");
        out.Line("  class=\"" + type + "\"");
        out.Line("  lazy=\"false\"");
        out.Line("  outer-join=\"true\"");
        if (cascade)
            out.Line("  cascade=\"save-update\"");
        out.Line("/>");
        out.Empty();
    }
}

} // namespace

std::string BuildStrutsBlock(const std::string& packageName, const TIdList& classes)
{
    TText out;
    const std::string& in = kStrutsIndent;
    for (const auto& entry : classes) {
        const std::string& c = entry.text;
        out.Line(in + "<!-- " + c + "Action配置 -->");
        out.Line(in + "<package name=\"" + c + "\" namespace=\"/" + c + "\" extends=\"struts-default\">");
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

std::string BuildMappingContent(const TClassData& c)
{
    TMappingText out;
    std::set<std::string> columns; // of the key and the simple properties
    AddIdentifier(out, c.primary);
    columns.insert(c.primary.GetMemberName());
    for (const auto& mapped : c.members)
        if (mapped.isNonPrimary && IsSimpleType(mapped.member.GetMemberType()))
            columns.insert(mapped.member.GetMemberName());
    for (const auto& mapped : c.members)
        if (mapped.isNonPrimary)
            AddProperty(out, mapped, columns, c.cascade);
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

// struts.xml: one package block per class in its template.
class TStrutsConfigGenerator : public IGenerator {
public:
    const char* Name() const override { return "struts"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        std::string text = in.templates.Text(kStrutsTemplate);
        text = ReplaceAll(text, "$struts2ConfigString", BuildStrutsBlock(in.packageName, ClassList(in.classes)));
        out.push_back({ in.SourceDir(), "struts.xml", in.SubstitutePackage(text), TEncoding::Utf8Bom, "生成完成!" });
    }
    std::vector<std::string> Directories(const TGenInput& in) const override { return { in.SourceDir() }; }
    std::vector<TTemplateUse> TemplatesUsed() const override { return { { kStrutsTemplate } }; }
};

// hibernate.cfg.xml: one mapping line per class.
class THibernateConfigGenerator : public IGenerator {
public:
    const char* Name() const override { return "hibernate"; }
    void ProjectFiles(const TGenInput& in, TFiles& out) const override
    {
        std::string text = in.templates.Text(kHibernateTemplate);
        text = ReplaceAll(
            text, "$hibernateConfigString", BuildHibernateMappingLines(in.packagePath, ClassList(in.classes)));
        out.push_back({ in.SourceDir(), "hibernate.cfg.xml", in.SubstitutePackage(text), TEncoding::Gbk, "生成完成!" });
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
    std::string text = in.templates.Text(kMappingTemplate);
    text = ReplaceAll(text, "$hibernateContentConfigString", BuildMappingContent(c));
    text = in.SubstitutePackage(text);
    return ReplaceAll(text, "$className", c.name);
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
