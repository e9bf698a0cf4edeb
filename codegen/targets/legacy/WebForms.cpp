// The form pages of a class: C_add.jsp (add, and a failed modify, which the
// one "input" result of struts.xml also sends there) and C_modify.jsp.
#include "codegen/targets/legacy/WebPages.h"

#include "codegen/targets/legacy/ColumnTypes.h"
#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/targets/legacy/JspText.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

#include <set>

namespace {

const TReferenceMember* ReferenceOf(const TClassData& c, const std::string& member)
{
    for (const auto& ref : c.references)
        if (ref.name == member)
            return &ref;
    return nullptr;
}

// A text with choices (an ENUM): a drop-down of them, the value shown or
// posted selected; "（无）" first when the text is optional. The values are
// Java strings of a scriptlet, so that none is ever inside an expression.
// The choices of a member as one Java string split where the page runs:
// one constant, however long the list, where an array's initialiser would
// grow the page's method past the JVM's 64 KB. No choice holds "|".
std::string ChoiceArray(const TMember& m)
{
    std::string values;
    for (const std::string& value : SplitChoices(m.GetMemberChoices()))
        values += (values.empty() ? "" : "|") + ReplaceAll(JavaStringText(value), "%>", "%\\>");
    return "\"" + values + "\".split(\"\\\\|\", -1)";
}

std::string ChoiceInput(const std::string& field, const TMember& m)
{
    std::string values = ChoiceArray(m);
    return "<c:set var=\"_choice\" value='${not empty paramValues[\"" + field + "\"] ? param[\"" + field +
        "\"] : " + field + "}'/><select name=\"" + field + "\">" +
        (m.GetMemberIsMust() != 1 ? "<option value=\"\">（无）</option>" : "") + "<% for (String _v : " + values +
        ") { pageContext.setAttribute(\"_v\", _v); %><option value=\"<c:out value='${_v}'/>\"${_choice == _v ? ' "
        "selected' : ''}><c:out value=\"${_v}\"/></option><% } %></select>";
}

// A text of which several choices are held at once (a SET column): a
// multiple selection; chosen are the values posted, else the stored ones
// (joined by ",").
std::string SeveralChoicesInput(const std::string& field, const TMember& m)
{
    std::string values = ChoiceArray(m);
    size_t count = SplitChoices(m.GetMemberChoices()).size();
    return "<c:set var=\"_chosen\" value='${not empty paramValues[\"" + field + "\"] ? paramValues[\"" + field +
        "\"] : fn:split(" + field + ", \",\")}'/><select name=\"" + field + "\" multiple size=\"" +
        std::to_string(std::min<size_t>(count, 6)) + "\"><% for (String _v : " + values +
        ") { pageContext.setAttribute(\"_v\", _v); %><c:set var=\"_sel\" value=\"${false}\"/><c:forEach "
        "items=\"${_chosen}\" var=\"_c\"><c:if test=\"${fn:trim(_c) == _v}\"><c:set var=\"_sel\" "
        "value=\"${true}\"/></c:if></c:forEach><option value=\"<c:out value='${_v}'/>\"${_sel ? ' selected' : "
        "''}><c:out "
        "value=\"${_v}\"/></option><% } %></select>";
}

// The input of a simple member, named as the Action binds it (c.m).
std::string SimpleInput(const std::string& c, const TMember& m)
{
    const std::string& type = m.GetMemberType();
    std::string field = c + "." + m.GetMemberName();
    std::string value = JspInputValue(field, field);
    if (type == kTypeInteger || type == kTypeLong)
        return "<input type=\"number\" step=\"1\" name=\"" + field + "\" value=\"" + value + "\">";
    if (type == kTypeFloat || type == kTypeDecimal || type == kTypeDouble)
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
    if (!m.GetMemberChoices().empty())
        return m.GetChoiceMode() == "several" ? SeveralChoicesInput(field, m) : ChoiceInput(field, m);
    if (m.GetMemberLength() > 255)
        return "<textarea name=\"" + field + "\" rows=\"4\" cols=\"60\" maxlength=\"" +
            std::to_string(m.GetMemberLength()) + "\">" + value + "</textarea>";
    return "<input type=\"text\" name=\"" + field + "\" maxlength=\"" + std::to_string(m.GetMemberLength()) +
        "\" value=\"" + value + "\">";
}

// The list of a referenced class's objects: what AddView and ModifyQuery put
// in the context, or, after a failed validation (which runs no Action
// method), read here through the referenced class's DAO.
void AddReferenceList(TText& out, const std::string& packageName, const std::string& C, const std::string& R,
    std::set<std::string>& loaded)
{
    std::string r = ClassVariableName(R);
    std::string list = ChoiceListName(C, R);
    if (!loaded.insert(R).second)
        return;
    // An empty list the Action put is not read again: the table has too many rows.
    out.Line("<c:if test=\"${" + list + " == null}\">");
    out.Line("<jsp:useBean id=\"" + r + "DAO\" class=\"com." + packageName + ".dao." + R + "DAO\"/>");
    out.Line("<c:set var=\"" + list + "\" value=\"${" + r + "DAO.QueryAll" + R + "Info()}\"/>");
    out.Line("</c:if>");
}

// A drop-down of the referenced class's objects, showing their display
// member and sending their key (c.m.key). An optional reference offers
// none: key 0, or the empty text, which the Action stores as NULL.
std::string ReferenceSelect(const std::string& C, const TReferenceMember& ref)
{
    std::string c = ClassVariableName(C);
    std::string list = ChoiceListName(C, ref.type);
    std::string field = c + "." + ref.name + "." + ref.keyName;
    std::string none =
        ref.optional ? std::string("<option value=\"") + (ref.textKey ? "" : "0") + "\">（无）</option>" : "";
    std::string chosen = "(not empty paramValues['" + field + "'] ? param['" + field + "'] : " + field + ")";
    std::string select = "<select name=\"" + field + "\">" + none + "<c:forEach items=\"${" + list +
        "}\" var=\"_item\"><option value=\"<c:out value='${_item." + ref.keyName +
        "}'/>\"<c:if test=\"${fn:trim(_item." + ref.keyName + ") == fn:trim(" + chosen +
        ")}\"> selected</c:if>><c:out value=\"${_item." + ref.displayName + "}\"/></option></c:forEach></select>";
    // Inside the picker's value='...' the quotes of the expression are double.
    std::string chosenDouble = "(not empty paramValues[\"" + field + "\"] ? param[\"" + field + "\"] : " + field + ")";
    return JspReferenceChoice(list, select, field, chosenDouble, c + "." + ref.name + "." + ref.displayName, ref.type,
        ref.displayName, ref.textKey ? "" : "0");
}

std::string Required(const TMember& m)
{
    return m.GetMemberIsMust() == 1 || m.GetMemberIsPri() == 1 ? "<span class=\"required\">*</span>" : "";
}

// One row of the form for a member that is not the key.
// Bytes (current target only): a file to upload, and a link to what is
// stored; no file chosen keeps it.
std::string FileInput(const std::string& c, const TClassData& data, const TMember& m)
{
    const std::string& C = data.name;
    const std::string& p = data.primary.GetMemberName();
    std::string stored = c + "." + m.GetMemberName();
    return "<input type=\"file\" name=\"" + m.GetMemberName() + "Upload\"><c:if test=\"${not empty " + stored +
        "}\"><c:url var=\"_download\" value=\"/" + C + "/" + C + "_Download" + C + CapitalizedName(m.GetMemberName()) +
        ".action\"><c:param name=\"" + p + "\" value=\"${" + c + "." + p +
        "}\"/></c:url> 已有内容(<a href=\"<c:out value='${_download}'/>\">下载</a>)，不选择文件则保留</c:if>";
}

void AddMemberRow(TText& out, const std::string& c, const TClassData& data, const TMember& m)
{
    if (m.GetMemberType() == kTypeBinary) {
        out.Line("<tr><th>" + LabelOf(m) + Required(m) + "</th><td>" + FileInput(c, data, m) + "</td></tr>");
        return;
    }
    const TReferenceMember* ref = ReferenceOf(data, m.GetMemberName());
    std::string field = ref ? c + "." + ref->name + "." + ref->keyName : c + "." + m.GetMemberName();
    std::string input = ref ? ReferenceSelect(data.name, *ref) : SimpleInput(c, m);
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

// The end of a form's opening tag: a form with a file sends multipart (its
// anti-forgery token is checked by the Action, which reads that body).
std::string UploadForm(const TClassData& data)
{
    for (const auto& mapped : data.members)
        if (mapped.member.GetMemberType() == kTypeBinary)
            return "\" enctype=\"multipart/form-data\"";
    return "\"";
}

// The rows of the members the application writes; on the add page a
// member whose default must win shows only when a failed modify comes back.
void AddRows(TText& out, const TClassData& data, bool addPage)
{
    std::string c = ClassVariableName(data.name);
    for (const auto& member : data.members) {
        const TMember& m = member.member;
        if (m.GetMemberIsPri() == 1 || !UpdatedByApplication(m))
            continue;
        bool onlyModifying = addPage && !InsertedByApplication(m);
        if (onlyModifying)
            out.Line("<c:if test=\"${_modifying}\">");
        AddMemberRow(out, c, data, m);
        if (onlyModifying)
            out.Line("</c:if>");
    }
}

void AddLists(TText& out, const TGenInput& in, const TClassData& data)
{
    std::set<std::string> loaded;
    if (!data.references.empty() || !data.collections.empty())
        out.Line(JspChoicesBean(in.packageName));
    for (const auto& ref : data.references)
        AddReferenceList(out, in.packageName, data.name, ref.type, loaded);
    for (const auto& m : data.collections)
        AddReferenceList(out, in.packageName, data.name, m.type, loaded);
}

// A many-to-many member: a multiple selection of the other class's objects,
// sending their keys (mKeys); selected are the ones posted or, on the first
// showing, the object's own.
void AddCollectionRows(TText& out, const TClassData& data)
{
    std::string c = ClassVariableName(data.name);
    for (const auto& m : data.collections) {
        std::string field = m.name + "Keys";
        std::string key = m.keyName;
        std::string label = HtmlText(m.comment.empty() ? m.name : m.comment);
        std::string list = ChoiceListName(data.name, m.type);
        // Too many to list: the chosen ones (the object's own, or the keys
        // posted) and a picker that adds more.
        out.Line("<tr><th>" + label + "</th><td><c:choose><c:when test=\"" + JspTooManyChoices(list, m.type) +
            "\"><span class=\"picker multi\" data-url=\"${ctx}/pick.json\" data-entity=\"" + m.type +
            "\" data-display=\"" + m.displayName + "\" data-name=\"" + field +
            "\"><c:choose><c:when test=\"${empty paramValues['" + field + "']}\"><c:forEach items=\"${" + c + "." +
            m.name + "}\" var=\"_o\"><span class=\"chosen\"><input type=\"hidden\" name=\"" + field +
            "\" value=\"<c:out value='${_o." + key + "}'/>\"><c:out value=\"${_o." + m.displayName +
            "}\"/><button type=\"button\" class=\"remove\" title=\"移除\">×</button></span></c:forEach></c:when>"
            "<c:otherwise><c:forEach items=\"${paramValues['" +
            field + "']}\" var=\"_k\"><span class=\"chosen\"><input type=\"hidden\" name=\"" + field +
            "\" value=\"<c:out value='${_k}'/>\">#<c:out value=\"${_k}\"/><button type=\"button\" class=\"remove\" "
            "title=\"移除\">×</button></span></c:forEach></c:otherwise></c:choose><input type=\"text\" "
            "placeholder=\"输入以搜索并添加\"></span></c:when><c:otherwise>");
        out.Line("<select name=\"" + field + "\" multiple size=\"6\">" + "<c:forEach items=\"${" +
            ChoiceListName(data.name, m.type) + "}\" var=\"_item\">" + "<c:set var=\"_chosen\" value=\"${false}\"/>" +
            "<c:forEach items=\"${paramValues['" + field +
            "']}\" var=\"_k\"><c:if test=\"${fn:trim(_k) == fn:trim(_item." + key +
            ")}\"><c:set var=\"_chosen\" value=\"${true}\"/></c:if></c:forEach>" +
            "<c:if test=\"${empty paramValues['" + field + "']}\"><c:forEach items=\"${" + c + "." + m.name +
            "}\" var=\"_o\"><c:if test=\"${fn:trim(_o." + key + ") == fn:trim(_item." + key +
            ")}\"><c:set var=\"_chosen\" value=\"${true}\"/></c:if></c:forEach></c:if>" +
            "<option value=\"<c:out value='${_item." + key +
            "}'/>\"${_chosen ? ' selected' : ''}><c:out value=\"${_item." + m.displayName +
            "}\"/></option></c:forEach></select></c:otherwise></c:choose>" + JspFieldErrors(field) + "</td></tr>");
    }
}

// The end of the add and modify forms: the note on required fields, save,
// and the way back.
void FormTail(TText& out, const std::string& C)
{
    out.Line("<p><span class=\"required\">*</span> 为必填项</p>");
    out.Line("<p><input class=\"btn primary\" type=\"submit\" value=\"保存\"> <a class=\"btn\" href=\"${ctx}/" + C +
        "/" + C + "_Query" + C +
        ".action\">返回列表</a> <a class=\"btn\" href=\"${ctx}/user_ShowUser.action\">返回主页</a></p>");
    out.Line("</form>");
}

// The breadcrumbs of a class's page: its list, then the page.
std::string Crumbs(const TClassData& data, const std::string& page)
{
    const std::string& C = data.name;
    return "<a href=\"${ctx}/" + C + "/" + C + "_Query" + C + ".action\">" + HtmlText(data.friendName) + "</a> / " +
        page;
}

// Why an add or modify the Action refused (error.jsp shows this form again):
// the Action's text, URL-encoded under "error", after the class's name.
void AddRefusal(TText& out, const TWebStyle& web, const std::string& friendName)
{
    out.Line("<c:if test=\"${not empty requestScope.error}\">");
    out.Line("<%");
    out.Line("    pageContext.setAttribute(\"_refusal\", " + web.Decoded("request.getAttribute(\"error\").toString()") +
        ");");
    out.Line("%>");
    out.Line("<ul class=\"errors\"><li>" + friendName + "未保存: <c:out value=\"${_refusal}\"/></li>");
    out.Line("<c:if test=\"${requestScope._rowRefusal == 'gone'}\"><li>该" + friendName +
        "不存在，可能已被删除!</li></c:if>");
    out.Line("<c:if test=\"${requestScope._rowRefusal == 'changed'}\"><li>该" + friendName +
        "在您打开后已被其他用户修改，您的输入尚未保存：请核对，再次保存将覆盖其修改!</li></c:if>");
    out.Line("</ul>");
    out.Line("</c:if>");
}

// The row as the modify form was opened (see utils/RowCheck.java): a save
// is refused when the row changed since; after that refusal the form
// carries the row as it is now, so that saving again is a decision.
std::string LoadedField(const std::string& value)
{
    return "<input type=\"hidden\" name=\"_loaded\" value=\"" + value + "\">";
}

} // namespace

// C_add.jsp: the add form; after a failed modify (forwarded here from
// C_ModifyC.action) the modify form with the user's input. A conversion
// error of any other request of the class (a page or key that is no number)
// also lands here: it goes back to the list.
std::string BuildAddPage(const TGenInput& in, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    std::string friendName = HtmlText(data.friendName);
    TText out;
    JspDirectives(out, in.web);
    out.Line("<c:set var=\"_origin\" value=\"${requestScope['" + in.web.servlet + "forward.servlet_path']}\"/>");
    out.Line("<c:if test=\"${_origin != '/" + C + "/" + C + "_AddView.action' and _origin != '/" + C + "/" + C +
        "_Add" + C + ".action' and _origin != '/" + C + "/" + C + "_Modify" + C + ".action'}\">");
    out.Line("<c:redirect url=\"/" + C + "/" + C + "_Query" + C +
        ".action\"><c:param name=\"refused\" value=\"1\"/></c:redirect>");
    out.Line("</c:if>");
    out.Line("<c:set var=\"_modifying\" value=\"${_origin == '/" + C + "/" + C + "_Modify" + C + ".action'}\"/>");
    JspFramedHead(out, in.web, false,
        "<c:choose><c:when test=\"${_modifying}\">修改" + friendName + "</c:when><c:otherwise>添加" + friendName +
            "</c:otherwise></c:choose>",
        Crumbs(
            data, "<c:choose><c:when test=\"${_modifying}\">修改</c:when><c:otherwise>添加</c:otherwise></c:choose>"));
    AddLists(out, in, data);
    out.Line("<div class=\"card\">");
    out.Line("<h1><c:choose><c:when test=\"${_modifying}\">修改" + friendName + "</c:when><c:otherwise>添加" +
        friendName + "</c:otherwise></c:choose></h1>");
    JspActionErrors(out);
    AddRefusal(out, in.web, friendName);
    out.Line("<form method=\"post\" action=\"${ctx}/" + C + "/${_modifying ? '" + C + "_Modify" + C + "' : '" + C +
        "_Add" + C + "'}.action" + UploadForm(data) + ">");
    out.Line(JspCsrfField());
    out.Line("<c:if test=\"${_modifying}\">" +
        LoadedField("<c:out value='${empty requestScope._rowNow ? param._loaded : requestScope._rowNow}'/>") +
        "</c:if>");
    out.Line("<table class=\"form\">");
    out.Line("<c:choose><c:when test=\"${_modifying}\">");
    for (const TMember& key : data.KeyMembers())
        AddKeyRow(out, c, key, true);
    out.Line("</c:when><c:otherwise>");
    for (const TMember& key : data.KeyMembers())
        AddKeyRow(out, c, key, false);
    out.Line("</c:otherwise></c:choose>");
    AddRows(out, data, true);
    AddCollectionRows(out, data);
    out.Line("</table>");
    FormTail(out, C);
    out.Line("</div>");
    JspFramedTail(out);
    return out.Str();
}

// C_modify.jsp: the object ModifyQuery read, in the form, its key read-only.
std::string BuildModifyPage(const TGenInput& in, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    std::string friendName = HtmlText(data.friendName);
    TText out;
    JspFramedHead(out, in.web, true, "修改" + friendName, Crumbs(data, "修改"));
    out.Line("<c:if test=\"${empty " + c + "}\"><c:redirect url=\"/" + C + "/" + C + "_Query" + C +
        ".action\"><c:param name=\"refused\" value=\"1\"/></c:redirect></c:if>");
    AddLists(out, in, data);
    out.Line("<div class=\"card\">");
    out.Line("<h1>修改" + friendName + "</h1>");
    JspActionErrors(out);
    out.Line(
        "<form method=\"post\" action=\"${ctx}/" + C + "/" + C + "_Modify" + C + ".action" + UploadForm(data) + ">");
    out.Line(JspCsrfField());
    out.Line(LoadedField("<%= com." + in.packageName + ".utils.RowCheck.of(request.getAttribute(\"" + c + "\")) %>"));
    out.Line("<table class=\"form\">");
    for (const TMember& key : data.KeyMembers())
        AddKeyRow(out, c, key, true);
    AddRows(out, data, false);
    AddCollectionRows(out, data);
    out.Line("</table>");
    FormTail(out, C);
    out.Line("</div>");
    JspFramedTail(out);
    return out.Str();
}
