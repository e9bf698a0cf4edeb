// The form pages of a class: C_add.jsp (add, and a failed modify, which the
// one "input" result of struts.xml also sends there) and C_modify.jsp.
#include "WebPages.h"

#include "JavaNames.h"
#include "JspText.h"
#include "MemberTypes.h"

#include <set>

namespace {

const TReferenceMember* ReferenceOf(const TClassData& c, const std::string& member)
{
    for (const auto& ref : c.references)
        if (ref.name == member)
            return &ref;
    return nullptr;
}

// The input of a simple member, named as the Action binds it (c.m).
std::string SimpleInput(const std::string& c, const TMember& m)
{
    const std::string& type = m.GetMemberType();
    std::string field = c + "." + m.GetMemberName();
    std::string value = "<c:out value='${" + field + "}'/>";
    if (type == kTypeInteger || type == kTypeLong)
        return "<input type=\"number\" step=\"1\" name=\"" + field + "\" value=\"" + value + "\">";
    if (type == kTypeFloat || type == kTypeDecimal)
        return "<input type=\"number\" step=\"any\" name=\"" + field + "\" value=\"" + value + "\">";
    if (type == kTypeDate) {
        // A date is held as its text: yyyy-MM-dd, HH:mm:ss, or both.
        if (m.GetMemberLength() == 8)
            return "<input type=\"time\" step=\"1\" name=\"" + field + "\" value=\"" + value + "\">";
        if (m.GetMemberLength() > 10)
            return "<input type=\"text\" name=\"" + field + "\" value=\"" + value +
                "\" placeholder=\"yyyy-MM-dd HH:mm:ss\" maxlength=\"" + std::to_string(m.GetMemberLength()) + "\">";
        return "<input type=\"date\" name=\"" + field + "\" value=\"" + value + "\">";
    }
    if (m.GetMemberLength() > 255)
        return "<textarea name=\"" + field + "\" rows=\"4\" cols=\"60\">" + value + "</textarea>";
    return "<input type=\"text\" name=\"" + field + "\" maxlength=\"" + std::to_string(m.GetMemberLength()) +
        "\" value=\"" + value + "\">";
}

// The list of a referenced class's objects: what AddView and ModifyQuery put
// in the context, or, after a failed validation (which runs no Action
// method), read here through the referenced class's DAO.
void AddReferenceList(
    TText& out, const std::string& packageName, const TReferenceMember& ref, std::set<std::string>& loaded)
{
    std::string r = ClassVariableName(ref.type);
    if (!loaded.insert(ref.type).second)
        return;
    out.Line("<c:if test=\"${empty " + r + "List}\">");
    out.Line("<jsp:useBean id=\"" + r + "DAO\" class=\"com." + packageName + ".dao." + ref.type + "DAO\"/>");
    out.Line("<c:set var=\"" + r + "List\" value=\"${" + r + "DAO.QueryAll" + ref.type + "Info()}\"/>");
    out.Line("</c:if>");
}

// A drop-down of the referenced class's objects, showing their display
// member and sending their key (c.m.key). An optional reference offers
// none: key 0, or the empty text, which the Action stores as NULL.
std::string ReferenceSelect(const std::string& c, const TReferenceMember& ref)
{
    std::string r = ClassVariableName(ref.type);
    std::string field = c + "." + ref.name + "." + ref.keyName;
    std::string none =
        ref.optional ? std::string("<option value=\"") + (ref.textKey ? "" : "0") + "\">（无）</option>" : "";
    return "<select name=\"" + field + "\">" + none + "<c:forEach items=\"${" + r +
        "List}\" var=\"item\"><option value=\"<c:out value='${item." + ref.keyName + "}'/>\"<c:if test=\"${item." +
        ref.keyName + " == " + field + "}\"> selected</c:if>><c:out value=\"${item." + ref.displayName +
        "}\"/></option></c:forEach></select>";
}

std::string Required(const TMember& m)
{
    return m.GetMemberIsMust() == 1 || m.GetMemberIsPri() == 1 ? "<span class=\"required\">*</span>" : "";
}

// One row of the form for a member that is not the key.
void AddMemberRow(TText& out, const std::string& c, const TClassData& data, const TMember& m)
{
    const TReferenceMember* ref = ReferenceOf(data, m.GetMemberName());
    std::string field = ref ? c + "." + ref->name + "." + ref->keyName : c + "." + m.GetMemberName();
    std::string input = ref ? ReferenceSelect(c, *ref) : SimpleInput(c, m);
    out.Line("<tr><th>" + LabelOf(m) + Required(m) + "</th><td>" + input + JspFieldErrors(field) + "</td></tr>");
}

// The key: entered on add unless the database makes it, shown and sent
// back unchanged on modify.
void AddKeyRow(TText& out, const std::string& c, const TMember& key, bool modify)
{
    std::string field = c + "." + key.GetMemberName();
    if (modify) {
        out.Line("<tr><th>" + LabelOf(key) + "</th><td><c:out value=\"${" + field +
            "}\"/><input type=\"hidden\" name=\"" + field + "\" value=\"<c:out value='${" + field +
            "}'/>\"></td></tr>");
    } else if (KeyGeneratorOf(key) != "native") {
        out.Line("<tr><th>" + LabelOf(key) + Required(key) + "</th><td>" + SimpleInput(c, key) + JspFieldErrors(field) +
            "</td></tr>");
    }
}

void AddRows(TText& out, const TClassData& data)
{
    std::string c = ClassVariableName(data.name);
    for (const auto& member : data.members)
        if (member.member.GetMemberIsPri() != 1)
            AddMemberRow(out, c, data, member.member);
}

void AddLists(TText& out, const TGenInput& in, const TClassData& data)
{
    std::set<std::string> loaded;
    for (const auto& ref : data.references)
        AddReferenceList(out, in.packageName, ref, loaded);
}

// The end of the add and modify forms: the note on required fields, save,
// and the way back.
void FormTail(TText& out, const std::string& C)
{
    out.Line("<p><span class=\"required\">*</span> 为必填项</p>");
    out.Line("<p><input type=\"submit\" value=\"保存\"> <a href=\"${ctx}/" + C + "/" + C + "_Query" + C +
        ".action\">返回列表</a> <a href=\"${ctx}/main.jsp\">返回主页</a></p>");
    out.Line("</form>");
}

} // namespace

// C_add.jsp: the add form; after a failed modify (forwarded here from
// C_ModifyC.action) the modify form with the user's input.
std::string BuildAddPage(const TGenInput& in, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    std::string friendName = HtmlText(data.friendName);
    TText out;
    JspHead(out, "添加" + friendName);
    out.Line("<c:set var=\"modifying\" value=\"${fn:endsWith(requestScope['javax.servlet.forward.request_uri'], '/" +
        C + "_Modify" + C + ".action')}\"/>");
    AddLists(out, in, data);
    out.Line("<h1><c:choose><c:when test=\"${modifying}\">修改" + friendName + "</c:when><c:otherwise>添加" +
        friendName + "</c:otherwise></c:choose></h1>");
    JspActionErrors(out);
    out.Line("<form method=\"post\" action=\"${ctx}/" + C + "/${modifying ? '" + C + "_Modify" + C + "' : '" + C +
        "_Add" + C + "'}.action\">");
    out.Line("<table>");
    out.Line("<c:choose><c:when test=\"${modifying}\">");
    AddKeyRow(out, c, data.primary, true);
    out.Line("</c:when><c:otherwise>");
    AddKeyRow(out, c, data.primary, false);
    out.Line("</c:otherwise></c:choose>");
    AddRows(out, data);
    out.Line("</table>");
    FormTail(out, C);
    JspTail(out);
    return out.Str();
}

// C_modify.jsp: the object ModifyQuery read, in the form, its key read-only.
std::string BuildModifyPage(const TGenInput& in, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    std::string friendName = HtmlText(data.friendName);
    TText out;
    JspHead(out, "修改" + friendName);
    AddLists(out, in, data);
    out.Line("<h1>修改" + friendName + "</h1>");
    JspActionErrors(out);
    out.Line("<form method=\"post\" action=\"${ctx}/" + C + "/" + C + "_Modify" + C + ".action\">");
    out.Line("<table>");
    AddKeyRow(out, c, data.primary, true);
    AddRows(out, data);
    out.Line("</table>");
    FormTail(out, C);
    JspTail(out);
    return out.Str();
}
