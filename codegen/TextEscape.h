#pragma once
#include <string>

// Model text made safe for the place it lands in a generated file; text
// that holds none of the special sequences comes back unchanged.

// Inside a Java block comment: "*/" cannot end the comment early, and no
// backslash can start a \u escape.
std::string JavaCommentText(const std::string& text);
// Inside a Java string literal: backslash, double quote, CR and LF escaped.
std::string JavaStringText(const std::string& text);
// Inside an XML comment: no "--", and no "-" right before the closing "-->".
std::string XmlCommentText(const std::string& text);

// Every occurrence of placeholder replaced by value, matching case exactly.
std::string ReplaceAll(std::string text, const std::string& placeholder, const std::string& value);
