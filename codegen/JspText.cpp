#include "JspText.h"

#include "TextEscape.h"

std::string HtmlText(const std::string& text)
{
    std::string out = ReplaceAll(text, "&", "&amp;");
    out = ReplaceAll(out, "<", "&lt;");
    out = ReplaceAll(out, ">", "&gt;");
    return ReplaceAll(out, "\"", "&quot;");
}

std::string LabelOf(const TMember& member)
{
    return HtmlText(member.GetMemberComment().empty() ? member.GetMemberName() : member.GetMemberComment());
}

// <%@ page ... %>
// <%@ taglib prefix="c" ... %>
// <!DOCTYPE html> <html> <head> ... <title>title</title> ... <body>
void JspHead(TText& out, const std::string& title)
{
    out.Line("<%@ page contentType=\"text/html; charset=UTF-8\" pageEncoding=\"UTF-8\" %>");
    out.Line("<%@ taglib prefix=\"c\" uri=\"http://java.sun.com/jsp/jstl/core\" %>");
    out.Line("<%@ taglib prefix=\"fn\" uri=\"http://java.sun.com/jsp/jstl/functions\" %>");
    out.Line("<c:set var=\"ctx\" value=\"${pageContext.request.contextPath}\"/>");
    out.Line("<!DOCTYPE html>");
    out.Line("<html>");
    out.Line("<head>");
    out.Line("<meta charset=\"UTF-8\">");
    out.Line("<title>" + title + "</title>");
    out.Line("<style>");
    out.Line("body { font-family: sans-serif; margin: 2em; }");
    out.Line("table { border-collapse: collapse; }");
    out.Line("th, td { border: 1px solid #999; padding: 4px 8px; text-align: left; }");
    out.Line(".required { color: #c00; }");
    out.Line(".error { color: #c00; margin-left: 1em; }");
    out.Line(".errors { color: #c00; }");
    out.Line("</style>");
    out.Line("</head>");
    out.Line("<body>");
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
    out.Line("<c:forEach items=\"${actionErrors}\" var=\"e\"><li><c:out value=\"${e}\"/></li></c:forEach>");
    out.Line("</ul>");
    out.Line("</c:if>");
}

std::string JspFieldErrors(const std::string& field)
{
    return "<c:forEach items=\"${fieldErrors['" + field +
        "']}\" var=\"e\"><span class=\"error\"><c:out value=\"${e}\"/></span></c:forEach>";
}
