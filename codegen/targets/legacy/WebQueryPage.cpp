// C_query_result.jsp: the query form, one page of objects, the record count
// and the paging links of a class.
#include "codegen/targets/legacy/WebPages.h"

#include "codegen/targets/legacy/JavaNames.h"
#include "codegen/targets/legacy/JspText.h"
#include "codegen/text/TextEscape.h"
#include "model/store/MemberTypes.h"

namespace {

// The request parameter of a query member and the value it has now.
std::string QueryField(const TQueryMember& m)
{
    return m.textLike ? m.name : m.name + "." + m.keyName;
}

// One input of the query form.
std::string QueryInput(const std::string& C, const TQueryMember& m, const std::string& label)
{
    if (m.textLike)
        return "<label>" + label + ": <input type=\"text\" name=\"" + m.name + "\" value=\"<c:out value='${" + m.name +
            "}'/>\"></label>";
    std::string list = ChoiceListName(C, m.type);
    std::string field = QueryField(m);
    // A key of 0 (or the empty text) asks for no condition.
    std::string all = std::string("<option value=\"") + (m.integerKey ? "0" : "") + "\">全部</option>";
    std::string select = "<select name=\"" + field + "\">" + all + "<c:forEach items=\"${" + list +
        "}\" var=\"_item\"><option value=\"<c:out value='${_item." + m.keyName + "}'/>\"<c:if test=\"${_item." +
        m.keyName + " == " + field + "}\"> selected</c:if>><c:out value=\"${_item." + m.displayName +
        "}\"/></option></c:forEach></select>";
    return "<label>" + label + ": " +
        JspReferenceChoice(
            list, select, field, field, m.name + "." + m.displayName, m.type, m.displayName, m.integerKey ? "0" : "") +
        "</label>";
}

// A link to a page of the same query: <c:url var="name"> with the page
// number and every query value.
void AddPageUrl(TText& out, const TClassData& data, const std::string& var, const std::string& page)
{
    const std::string& C = data.name;
    // No var: a redirect to that page (c:redirect adds the context path itself).
    out.Line(var.empty() ? "<c:redirect url=\"/" + C + "/" + C + "_Query" + C + ".action\">"
                         : "<c:url var=\"" + var + "\" value=\"/" + C + "/" + C + "_Query" + C + ".action\">");
    out.Line("<c:param name=\"currentPage\" value=\"" + page + "\"/>");
    // No reference chosen sends key 0 (or the empty text): a number key
    // sent empty would be a conversion error, and the Action would not run.
    for (const auto& m : data.queryMembers) {
        std::string value = m.textLike || !m.integerKey ? "${" + QueryField(m) + "}"
                                                        : "${empty " + m.name + " ? 0 : " + QueryField(m) + "}";
        out.Line("<c:param name=\"" + QueryField(m) + "\" value=\"" + value + "\"/>");
    }
    out.Line(var.empty() ? "</c:redirect>" : "</c:url>");
}

std::string LabelOfQuery(const TClassData& data, const TQueryMember& m)
{
    for (const auto& member : data.members)
        if (member.member.GetMemberName() == m.name)
            return LabelOf(member.member);
    return HtmlText(m.name);
}

} // namespace

std::string BuildQueryPage(const TGenInput& in, const TClassData& data)
{
    const std::string& C = data.name;
    std::string c = ClassVariableName(C);
    const std::string& p = data.primary.GetMemberName();
    std::string friendName = HtmlText(data.friendName);
    TText out;
    JspFramedHead(out, in.web, true, friendName + "列表", friendName + " / 列表");
    // A page past the last one (the query found fewer rows meanwhile, or the
    // link was typed) shows the last page instead.
    out.Line("<c:set var=\"_pages\" value=\"${totalPage > 0 ? totalPage : 1}\"/>");
    out.Line("<c:if test=\"${currentPage > _pages}\">");
    AddPageUrl(out, data, "", "${_pages}");
    out.Line("</c:if>");
    AddPageUrl(out, data, "lastUrl", "${_pages}");
    out.Line("<div class=\"card\">");
    out.Line("<h1>" + friendName + "列表</h1>");
    out.Line("<c:if test=\"${not empty param.refused}\"><p class=\"notice\">请求的参数不正确或记录不存在，"
             "已返回列表。</p></c:if>");
    for (const auto& m : data.queryMembers)
        if (!m.textLike) {
            out.Line(JspChoicesBean(in.packageName));
            break;
        }
    out.Line("<form class=\"query\" method=\"get\" action=\"${ctx}/" + C + "/" + C + "_Query" + C + ".action\">");
    for (const auto& m : data.queryMembers)
        out.Line(QueryInput(C, m, LabelOfQuery(data, m)));
    out.Line("<input type=\"submit\" value=\"查询\">");
    if (!data.readOnly)
        out.Line("<a class=\"btn\" href=\"${ctx}/" + C + "/" + C + "_AddView.action\">添加" + friendName + "</a>");
    out.Line("</form>");
    out.Line("<p>共 ${recordNumber} 条记录，第 ${currentPage} / ${_pages} 页</p>");
    out.Line("<table class=\"grid\">");
    std::string headers;
    for (const auto& member : data.members)
        if (member.member.GetMemberQueryDisplay() == 1)
            headers += "<th>" + LabelOf(member.member) + "</th>";
    out.Line("<tr>" + headers + (data.readOnly ? "" : "<th>操作</th>") + "</tr>");
    out.Line("<c:forEach items=\"${" + c + "List}\" var=\"_row\">");
    if (!data.readOnly) {
        // A composite key is sent as the object's key members (c.m).
        std::string keyParameters;
        if (data.CompositeKey())
            for (const TMember& key : data.keys)
                keyParameters += "<c:param name=\"" + c + "." + key.GetMemberName() + "\" value=\"${_row." +
                    key.GetMemberName() + "}\"/>";
        else
            keyParameters = "<c:param name=\"" + p + "\" value=\"${_row." + p + "}\"/>";
        out.Line("<c:url var=\"modifyUrl\" value=\"/" + C + "/" + C + "_Modify" + C + "Query.action\">" +
            keyParameters + "</c:url>");
        out.Line("<c:url var=\"deleteUrl\" value=\"/" + C + "/" + C + "_Delete" + C + ".action\">" + keyParameters +
            "</c:url>");
    }
    std::string cells;
    for (const auto& member : data.members) {
        const TMember& m = member.member;
        if (m.GetMemberQueryDisplay() != 1)
            continue;
        if (m.GetMemberType() == kTypeBinary) {
            cells += "<td><c:if test=\"${not empty _row." + m.GetMemberName() +
                "}\"><c:url var=\"_download\" value=\"/" + C + "/" + C + "_Download" + C +
                CapitalizedName(m.GetMemberName()) + ".action\"><c:param name=\"" + p + "\" value=\"${_row." + p +
                "}\"/></c:url><a href=\"<c:out value='${_download}'/>\">下载</a></c:if></td>";
            continue;
        }
        std::string value = "_row." + m.GetMemberName();
        for (const auto& ref : data.references)
            if (ref.name == m.GetMemberName())
                value += "." + ref.displayName;
        cells += "<td><c:out value=\"${" + value + "}\"/></td>";
    }
    // Several key parameters are joined by "&", which the attribute must
    // escape: "&copy.isbn" would read as "©.isbn".
    std::string modifyHref = data.CompositeKey() ? "<c:out value='${modifyUrl}'/>" : "${modifyUrl}";
    std::string deleteAction = data.CompositeKey() ? "<c:out value='${deleteUrl}'/>" : "${deleteUrl}";
    if (data.readOnly)
        out.Line("<tr>" + cells + "</tr>");
    // Deleting changes data: a POST with the anti-forgery token, after a confirmation.
    else
        out.Line("<tr>" + cells + "<td><a href=\"" + modifyHref +
            "\">修改</a> <form class=\"inline\" method=\"post\" action=\"" + deleteAction +
            "\" "
            "onsubmit=\"return confirm('确定删除这条" +
            ReplaceAll(ReplaceAll(friendName, "\\", "\\\\"), "'", "\\'") + "记录吗?')\">" + JspCsrfField() +
            "<button class=\"link danger\" type=\"submit\">删除</button></form></td></tr>");
    out.Line("</c:forEach>");
    out.Line("</table>");
    AddPageUrl(out, data, "firstUrl", "1");
    AddPageUrl(out, data, "previousUrl", "${currentPage > 1 ? currentPage - 1 : 1}");
    AddPageUrl(out, data, "nextUrl", "${currentPage < _pages ? currentPage + 1 : _pages}");
    out.Line("<div class=\"pages\">");
    out.Line("<a href=\"${firstUrl}\">首页</a> <a href=\"${previousUrl}\">上一页</a>");
    // The numbered links: up to five pages either side of this one.
    out.Line(
        "<c:forEach var=\"_n\" begin=\"${currentPage > 5 ? currentPage - 5 : 1}\" end=\"${currentPage + 5 < _pages ? "
        "currentPage + 5 : _pages}\">");
    out.Line(
        "<c:choose><c:when test=\"${_n == currentPage}\"><span class=\"current\">${_n}</span></c:when><c:otherwise>");
    AddPageUrl(out, data, "pageUrl", "${_n}");
    out.Line("<a href=\"${pageUrl}\">${_n}</a></c:otherwise></c:choose>");
    out.Line("</c:forEach>");
    out.Line("<a href=\"${nextUrl}\">下一页</a> <a href=\"${lastUrl}\">末页</a>");
    out.Line("</div>");
    out.Line("</div>");
    JspFramedTail(out);
    return out.Str();
}
