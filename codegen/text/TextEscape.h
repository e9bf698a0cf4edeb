#pragma once
#include <string>
#include <utility>
#include <vector>

// Model text made safe for the place it lands in a generated file; text
// that holds none of the special sequences comes back unchanged.

// Inside a Java block comment: "*/" cannot end the comment early, and no
// backslash can start a \u escape.
std::string JavaCommentText(const std::string& text);
// Inside a Java string literal: backslash, double quote, CR and LF escaped.
std::string JavaStringText(const std::string& text);
// Inside an XML comment: no "--", and no "-" right before the closing "-->".
std::string XmlCommentText(const std::string& text);
// Inside XML text or a double-quoted XML attribute: &, <, > and " as entities.
std::string XmlText(const std::string& text);
// In JSP template text or a JSP-evaluated attribute, as HTML: XmlText, and
// "$" and "#" as character references, so that no "${" or "#{" reaches the
// JSP engine as an expression.
std::string JspTemplateText(const std::string& text);
// Percent-encoded UTF-8 (only letters, digits and -_.~ kept): a value that
// no configuration parser may read as markup or an expression.
std::string PercentText(const std::string& text);
// A message Struts evaluates (validation and conversion messages): "${",
// "%{" and "#{" broken by a zero-width space, so that OGNL never sees them.
std::string OgnlMessageText(const std::string& text);

// Every placeholder of the template replaced by its value in one pass: a
// value is never searched for placeholders (model text may hold "$className").
std::string FillTemplate(const std::string& text, const std::vector<std::pair<std::string, std::string>>& values);

// Every occurrence of placeholder replaced by value, matching case exactly.
std::string ReplaceAll(std::string text, const std::string& placeholder, const std::string& value);
