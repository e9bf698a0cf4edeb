#pragma once
#include "Member.h"
#include "TextBuilder.h"

#include <string>

// What every generated page shares: its head with the tag libraries and a
// small style sheet, its end, and the escaping of model text placed in it.

// Text in HTML or XML: &, <, > and " as entities.
std::string HtmlText(const std::string& text);
// What a page calls a member: its comment, or its name when it has none.
std::string LabelOf(const TMember& member);

// The page directive, the JSTL core and functions tag libraries, ${ctx} (the
// context path) and the HTML head with the title, up to and with <body>.
void JspHead(TText& out, const std::string& title);
// </body> and </html>.
void JspTail(TText& out);
// The action errors of the request, as a list.
void JspActionErrors(TText& out);
// The field errors of one field (a request parameter name), after its input.
std::string JspFieldErrors(const std::string& field);
