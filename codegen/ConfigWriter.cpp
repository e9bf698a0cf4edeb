#include "ConfigWriter.h"

#include "ClassDAO.h"
#include "DbHelper.h"
#include "FileOperate.h"
#include "MemberDAO.h"
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

// Saving an object cascades along its many-to-one members. When the objects
// reached that way can hold one row twice (two references, or a cycle),
// Hibernate refuses the save with NonUniqueObjectException, because the
// Actions load each referenced object in a session of its own. Cascading is
// kept where it cannot happen: a chain of classes with one reference each.
bool CascadeIsSafe(int projectId, int classId)
{
    TClassDAO classStore;
    TMemberDAO members;
    std::set<int> visited = { classId };
    for (int current = classId;;) {
        auto refs = members.OpenReferenceMembers(current);
        if (refs->RecordCount() != 1)
            return current != classId || refs->RecordCount() == 0;
        int next = classStore.GetClassId(projectId, refs->AsText("memberType"));
        if (next == -1)
            return true;
        if (!visited.insert(next).second)
            return false;
        current = next;
    }
}

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

void AddProperty(TMappingText& out, int projectId, const TMember& m, std::set<std::string>& columns, bool cascade)
{
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
        // The run has checked that the referenced class exists.
        auto target = TMemberDAO().GetPrimaryMemberByClassName(projectId, type);
        std::string column = target ? target->GetMemberName() : name;
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

std::string BuildMappingContent(int projectId, int classId)
{
    TMappingText out;
    TMemberDAO members;
    std::set<std::string> columns; // of the key and the simple properties
    if (auto key = members.GetPrimaryMember(classId)) {
        AddIdentifier(out, *key);
        columns.insert(key->GetMemberName());
    }
    auto rows = members.OpenNonPrimaryMembers(classId);
    for (; !rows->Eof(); rows->Next())
        if (IsSimpleType(rows->AsText("memberType")))
            columns.insert(rows->AsText("memberName"));
    bool cascade = CascadeIsSafe(projectId, classId);
    for (rows->First(); !rows->Eof(); rows->Next())
        AddProperty(out, projectId, TMemberDAO::ReadMember(*rows), columns, cascade);
    return out.Str();
}

void WriteStrutsConfig(const TRunContext& run, const TIdList& classes)
{
    std::string text = run.ReadTemplate("src/struts.xml");
    text = ReplaceAll(text, "$struts2ConfigString", BuildStrutsBlock(run.packageName, classes));
    text = run.SubstitutePackage(text);
    TFileOperate::WriteUtf8Text(run.paths.SourceDir(), run.paths.SourceFile("struts.xml"), text);
    run.listener.Progress(run.paths.DisplaySource("struts.xml") + "生成完成!");
}

void WriteHibernateConfig(const TRunContext& run, const TIdList& classes)
{
    std::string text = run.ReadTemplate("src/hibernate.cfg.xml");
    text = ReplaceAll(text, "$hibernateConfigString", BuildHibernateMappingLines(run.paths.PackagePath(), classes));
    text = run.SubstitutePackage(text);
    TFileOperate::WriteText(run.paths.SourceDir(), run.paths.SourceFile("hibernate.cfg.xml"), text);
    run.listener.Progress(run.paths.DisplaySource("hibernate.cfg.xml") + "生成完成!");
    for (const auto& entry : classes)
        WriteMappingFile(run, entry.id, entry.text, run.paths.KindFile("domain", entry.text + ".hbm.xml"));
}

void WriteMappingFile(const TRunContext& run, int classId, const std::string& className, const std::string& path)
{
    std::string text = run.ReadTemplate("src/com/packageName/domain/className.hbm.xml");
    std::string content;
    {
        TReadScope reads;
        content = BuildMappingContent(run.projectId, classId);
    }
    text = ReplaceAll(text, "$hibernateContentConfigString", content);
    text = run.SubstitutePackage(text);
    text = ReplaceAll(text, "$className", className);
    TFileOperate::WriteUtf8Text(run.paths.KindDir("domain"), path, text);
    run.listener.Progress(run.paths.DisplayKind("domain", className + ".hbm.xml") + "生成完成!");
}
