#pragma once
#include "codegen/core/WebStyle.h"
#include "codegen/text/TextBuilder.h"
#include "model/store/Member.h"

#include <string>

// What every generated page shares: its head with the tag libraries and the
// application's style sheet, the frame of the signed-in pages (top bar, menu
// and breadcrumbs), its end, and the escaping of model text placed in it.

// Model text in a page or an XML file: &, <, > and " as entities, and "$"
// and "#" as character references (no "${" or "#{" reaches the JSP engine).
std::string HtmlText(const std::string& text);
// What a page calls a member: its comment, or its name when it has none.
std::string LabelOf(const TMember& member);

// The page directive, the JSTL core and functions tag libraries and ${ctx}
// (the context path).
void JspDirectives(TText& out, const TWebStyle& web);
// JspDirectives, then the HTML head with the title, up to and with <body>.
void JspHead(TText& out, const TWebStyle& web, const std::string& title);
// JspHead (without the directives when the page has written them), then the frame of a signed-in page: the top bar and
// the menu (WEB-INF/jspf/frame.jspf) and the breadcrumbs after 首页 (HTML already).
void JspFramedHead(
    TText& out, const TWebStyle& web, bool directives, const std::string& title, const std::string& crumbs);
// The end of the frame, then JspTail.
void JspFramedTail(TText& out);
// </body> and </html>.
void JspTail(TText& out);
// The action errors of the request, as a list.
void JspActionErrors(TText& out);
// The field errors of one field (a request parameter name), after its input.
std::string JspFieldErrors(const std::string& field);
// Where a referenced class has more objects than a drop-down can offer
// (over 200), a search-as-you-type field (WEB-INF's pick.json) sending the
// key as field instead of the drop-down select; none is the key of no
// object. An empty listVar means the Action did not read them (too many):
// the page asks their count (JspChoicesBean).
std::string JspReferenceChoice(const std::string& listVar, const std::string& select, const std::string& field,
    const std::string& keyExpr, const std::string& textExpr, const std::string& entity, const std::string& display,
    const std::string& none);
// Whether the page offers a referenced class's objects with the picker.
std::string JspTooManyChoices(const std::string& listVar, const std::string& entity);
// The bean a page asks the count of a referenced class's objects
// (utils/ChoiceLimit.java), once per page that offers references.
std::string JspChoicesBean(const std::string& packageName);
// The hidden field that carries the session's anti-forgery token in every
// form that changes data (the login filter refuses such a request without it).
std::string JspCsrfField();
// The value an input shows: what the user sent when the form came back to
// them, otherwise the property (an EL expression without ${}).
std::string JspInputValue(const std::string& field, const std::string& property);
