#include "codegen/text/TextEscape.h"

#include <cctype>

namespace {

// A run of backslashes of odd length before "u" would start a Java unicode
// escape, which the compiler reads even inside comments; one more backslash
// makes the run even.
std::string BreakUnicodeEscapes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t run = 0;
    for (char c : text) {
        if (c == 'u' && run % 2 == 1)
            out += '\\';
        out += c;
        run = c == '\\' ? run + 1 : 0;
    }
    return out;
}

} // namespace

std::string ReplaceAll(std::string text, const std::string& placeholder, const std::string& value)
{
    if (placeholder.empty())
        return text;
    size_t pos = text.find(placeholder);
    if (pos == std::string::npos)
        return text;
    // One pass: the text is copied once, however many occurrences it holds.
    std::string out;
    out.reserve(text.size() + (value.size() > placeholder.size() ? value.size() - placeholder.size() : 0) * 16);
    size_t from = 0;
    for (; pos != std::string::npos; pos = text.find(placeholder, from)) {
        out.append(text, from, pos - from);
        out += value;
        from = pos + placeholder.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::string JavaCommentText(const std::string& text)
{
    return ReplaceAll(BreakUnicodeEscapes(text), "*/", "*\\/");
}

std::string JavaStringText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string XmlCommentText(const std::string& text)
{
    std::string out = text;
    // "---" becomes "- --" in one pass, so repeat until no "--" is left.
    while (out.find("--") != std::string::npos)
        out = ReplaceAll(out, "--", "- -");
    if (!out.empty() && out.back() == '-')
        out += ' ';
    return out;
}

std::string XmlText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string JspTemplateText(const std::string& text)
{
    // '#' first: the '$' entity holds one.
    return ReplaceAll(ReplaceAll(XmlText(text), "#", "&#35;"), "$", "&#36;");
}

std::string PercentText(const std::string& text)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

std::string OgnlMessageText(const std::string& text)
{
    std::string out = text;
    for (const char* opener : { "${", "%{", "#{" }) {
        std::string broken = std::string(1, opener[0]) + "\u200B{";
        out = ReplaceAll(out, opener, broken);
    }
    return out;
}

std::string FillTemplate(const std::string& text, const std::vector<std::pair<std::string, std::string>>& values)
{
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        size_t next = text.find('$', at);
        if (next == std::string::npos) {
            out.append(text, at, std::string::npos);
            break;
        }
        out.append(text, at, next - at);
        // The longest placeholder that starts here ($packageName before $package).
        const std::pair<std::string, std::string>* found = nullptr;
        for (const auto& value : values)
            if (text.compare(next, value.first.size(), value.first) == 0 &&
                (!found || value.first.size() > found->first.size()))
                found = &value;
        if (found) {
            out += found->second;
            at = next + found->first.size();
        } else {
            out += '$';
            at = next + 1;
        }
    }
    return out;
}
