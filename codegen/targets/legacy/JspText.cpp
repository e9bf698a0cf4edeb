#include "codegen/targets/legacy/JspText.h"

#include "codegen/text/TextEscape.h"

std::string HtmlText(const std::string& text)
{
    return JspTemplateText(text);
}

std::string LabelOf(const TMember& member)
{
    return HtmlText(member.GetMemberComment().empty() ? member.GetMemberName() : member.GetMemberComment());
}

// <%@ page ... %>
// <%@ taglib prefix="c" ... %>
// <!DOCTYPE html> <html> <head> ... <title>title</title> ... <body>
void JspDirectives(TText& out, const TWebStyle& web)
{
    out.Line("<%@ page contentType=\"text/html; charset=UTF-8\" pageEncoding=\"UTF-8\" %>");
    out.Line("<%@ taglib prefix=\"c\" uri=\"" + web.jstlCore + "\" %>");
    out.Line("<%@ taglib prefix=\"fn\" uri=\"" + web.jstlFunctions + "\" %>");
    out.Line("<c:set var=\"ctx\" value=\"${pageContext.request.contextPath}\"/>");
}

namespace {

void HtmlHead(TText& out, const std::string& title)
{
    out.Line("<!DOCTYPE html>");
    out.Line("<html lang=\"zh-CN\">");
    out.Line("<head>");
    out.Line("<meta charset=\"UTF-8\">");
    out.Line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">");
    out.Line("<title>" + title + "</title>");
    out.Line("<link rel=\"stylesheet\" href=\"${ctx}/static/app.css\">");
    out.Line("<script src=\"${ctx}/static/app.js\" defer></script>");
    out.Line("</head>");
    out.Line("<body>");
}

} // namespace

void JspHead(TText& out, const TWebStyle& web, const std::string& title)
{
    JspDirectives(out, web);
    HtmlHead(out, title);
}

// <body> ... <%@ include file="/WEB-INF/jspf/frame.jspf" %>
// <main class="content"> <div class="crumbs"> 首页 / ... </div>
void JspFramedHead(
    TText& out, const TWebStyle& web, bool directives, const std::string& title, const std::string& crumbs)
{
    if (directives)
        JspDirectives(out, web);
    HtmlHead(out, title);
    out.Line("<%@ include file=\"/WEB-INF/jspf/frame.jspf\" %>");
    out.Line("<main class=\"content\">");
    out.Line("<div class=\"crumbs\"><a href=\"${ctx}/user_ShowUser.action\">首页</a>" +
        (crumbs.empty() ? std::string() : " / " + crumbs) + "</div>");
}

void JspFramedTail(TText& out)
{
    out.Line("</main>");
    out.Line("</div>");
    JspTail(out);
}

void JspTail(TText& out)
{
    out.Line("</body>");
    out.Line("</html>");
}

void JspActionErrors(TText& out)
{
    out.Line("<c:if test=\"${not empty actionErrors}\">");
    out.Line("<ul class=\"errors\">");
    out.Line("<c:forEach items=\"${actionErrors}\" var=\"_e\"><li><c:out value=\"${_e}\"/></li></c:forEach>");
    out.Line("</ul>");
    out.Line("</c:if>");
}

std::string JspFieldErrors(const std::string& field)
{
    return "<c:forEach items=\"${fieldErrors['" + field +
        "']}\" var=\"_e\"><span class=\"error\"><c:out value=\"${_e}\"/></span></c:forEach>";
}

std::string JspInputValue(const std::string& field, const std::string& property)
{
    return "<c:out value='${not empty paramValues[\"" + field + "\"] ? param[\"" + field + "\"] : " + property + "}'/>";
}

std::string JspTooManyChoices(const std::string& listVar, const std::string& entity)
{
    return "${(empty " + listVar + " ? _choices.count('" + entity + "') : fn:length(" + listVar + ")) > 200}";
}

std::string JspChoicesBean(const std::string& packageName)
{
    return "<jsp:useBean id=\"_choices\" class=\"com." + packageName + ".utils.ChoiceLimit\"/>";
}

std::string JspReferenceChoice(const std::string& listVar, const std::string& select, const std::string& field,
    const std::string& keyExpr, const std::string& textExpr, const std::string& entity, const std::string& display,
    const std::string& none)
{
    return "<c:choose><c:when test=\"" + JspTooManyChoices(listVar, entity) +
        "\"><span class=\"picker\" data-url=\"${ctx}/pick.json\" "
        "data-entity=\"" +
        entity + "\" data-display=\"" + display + "\" data-none=\"" + none + "\"><input type=\"hidden\" name=\"" +
        field + "\" value=\"<c:out value='${" + keyExpr + "}'/>\"><input type=\"text\" value=\"<c:out value='${" +
        textExpr + "}'/>\" placeholder=\"输入以搜索\"></span></c:when><c:otherwise>" + select +
        "</c:otherwise></c:choose>";
}

std::string JspCsrfField()
{
    return "<input type=\"hidden\" name=\"_csrf\" value=\"<c:out value='${sessionScope.csrfToken}'/>\">";
}
