#include "model/files/ModelFileText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace {

// Length of the UTF-8 character at i, or 0 when the bytes are not one
// (overlong forms, surrogates and code points past U+10FFFF included).
size_t Utf8Length(std::string_view text, size_t i)
{
    auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    unsigned lead = byte(i);
    auto tail = [&](size_t k) { return (byte(k) & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return tail(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        unsigned second = byte(i + 1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F))
            return 0;
        return tail(i + 1) && tail(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        unsigned second = byte(i + 1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return 0;
        return tail(i + 1) && tail(i + 2) && tail(i + 3) ? 4 : 0;
    }
    return 0;
}

// The value of the four hex digits at i, or -1.
long Hex4(std::string_view text, size_t i)
{
    if (i + 4 > text.size())
        return -1;
    long value = 0;
    for (size_t k = i; k < i + 4; ++k) {
        char c = text[k];
        int digit = c >= '0' && c <= '9' ? c - '0'
            : c >= 'a' && c <= 'f'       ? c - 'a' + 10
            : c >= 'A' && c <= 'F'       ? c - 'A' + 10
                                         : -1;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::string HexText(long value)
{
    char buffer[24]; // room for any long, though an escape holds four digits
    std::snprintf(buffer, sizeof buffer, "%04lX", value);
    return buffer;
}

struct TLevel {
    bool object;
    std::string name; // the key this container is the value of
    std::unordered_set<std::string> keys;
    std::string lastKey;
    bool expectKey = true;
};

class TScanner {
public:
    TScanner(std::string_view text, TTextLayout& layout)
        : text_(text)
        , layout_(layout)
    {
    }

    std::optional<TTextFault> Run()
    {
        size_t i = 0;
        while (i < text_.size()) {
            char c = text_[i];
            std::optional<TTextFault> fault;
            if (c == '"')
                fault = String(i);
            else if (c == '{' || c == '[')
                fault = Open(i, c == '{');
            else if (c == '}' || c == ']') {
                if (!levels_.empty())
                    levels_.pop_back();
                ++i;
            } else if (c == ',') {
                if (!levels_.empty())
                    levels_.back().expectKey = true;
                ++i;
            } else if (c == '-' || (c >= '0' && c <= '9'))
                fault = Number(i);
            else
                fault = Other(i);
            if (fault)
                return fault;
        }
        return std::nullopt;
    }

private:
    std::optional<TTextFault> Open(size_t& i, bool object)
    {
        if (levels_.size() >= kModelFileDepth)
            return TTextFault { i, "嵌套超过 " + std::to_string(kModelFileDepth) + " 层" };
        std::string name;
        if (!levels_.empty())
            name = levels_.back().object ? levels_.back().lastKey : levels_.back().name;
        if (object && !levels_.empty() && !levels_.back().object) {
            if (levels_.size() == 2 && name == "classes") {
                layout_.classes.push_back(i);
                layout_.members.emplace_back();
            } else if (levels_.size() == 4 && name == "members" && !layout_.members.empty()) {
                layout_.members.back().push_back(i);
            }
        }
        levels_.push_back({ object, std::move(name), {}, {}, true });
        ++i;
        return std::nullopt;
    }

    std::optional<TTextFault> String(size_t& i)
    {
        size_t start = i++;
        bool escaped = false;
        while (i < text_.size() && text_[i] != '"') {
            if (text_[i] == '\\') {
                escaped = true;
                if (i + 1 < text_.size() && text_[i + 1] == 'u') {
                    if (auto fault = Escape(i))
                        return fault;
                    continue;
                }
                i += 2;
                continue;
            }
            if (auto fault = Character(i))
                return fault;
        }
        if (i >= text_.size())
            return std::nullopt; // unterminated: the parser says where
        ++i;
        if (levels_.empty() || !levels_.back().object || !levels_.back().expectKey)
            return std::nullopt;
        TLevel& level = levels_.back();
        std::string key(text_.substr(start + 1, i - start - 2));
        if (escaped) {
            try {
                key = nlohmann::json::parse(text_.substr(start, i - start)).get<std::string>();
            } catch (const nlohmann::json::exception&) {
                return std::nullopt; // a bad escape: the parser says where
            }
        }
        if (!level.keys.insert(key).second)
            return TTextFault { start, "键“" + ShownName(key) + "”重复出现" };
        level.lastKey = std::move(key);
        level.expectKey = false;
        return std::nullopt;
    }

    // A \uXXXX escape at i: NUL refused, surrogates only in pairs.
    std::optional<TTextFault> Escape(size_t& i)
    {
        long unit = Hex4(text_, i + 2);
        if (unit < 0) {
            i += 2;
            return std::nullopt; // not an escape: the parser says where
        }
        if (unit == 0)
            return TTextFault { i, "含有 NUL 字符(\\u0000)" };
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return TTextFault { i, "含有不成对的代理项(\\u" + HexText(unit) + ")" };
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            long low = i + 8 <= text_.size() && text_.substr(i + 6, 2) == "\\u" ? Hex4(text_, i + 8) : -1;
            if (low < 0xDC00 || low > 0xDFFF)
                return TTextFault { i, "含有不成对的代理项(\\u" + HexText(unit) + ")" };
            i += 12;
            return std::nullopt;
        }
        i += 6;
        return std::nullopt;
    }

    std::optional<TTextFault> Character(size_t& i)
    {
        if (text_[i] == '\0')
            return TTextFault { i, "含有 NUL 字符" };
        size_t length = Utf8Length(text_, i);
        if (length == 0)
            return TTextFault { i, "不是正确的 UTF-8 文本" };
        i += length;
        return std::nullopt;
    }

    std::optional<TTextFault> Number(size_t& i)
    {
        size_t start = i;
        bool exponent = false;
        while (i < text_.size() && std::string_view("0123456789+-.eE").find(text_[i]) != std::string_view::npos) {
            exponent = exponent || text_[i] == 'e' || text_[i] == 'E';
            ++i;
        }
        // Only an exponent or some 300 digits take a number past a double.
        if (!exponent && i - start < 300)
            return std::nullopt;
        std::string token(text_.substr(start, i - start));
        char* end = nullptr;
        double value = std::strtod(token.c_str(), &end);
        if (end == token.c_str() + token.size() && !std::isfinite(value))
            return TTextFault { start, "数值 " + token.substr(0, 40) + " 超出范围" };
        return std::nullopt;
    }

    std::optional<TTextFault> Other(size_t& i) { return Character(i); }

    std::string_view text_;
    TTextLayout& layout_;
    std::vector<TLevel> levels_;
};

} // namespace

std::optional<std::string> RefuseEncoding(std::string_view& text)
{
    if (text.size() > kModelFileBytes)
        return "文件太大(超过 " + std::to_string(kModelFileBytes >> 20) + " MB)";
    bool utf16 = text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF" ||
        (text.size() >= 2 && (text[0] == '\0' || text[1] == '\0'));
    if (utf16)
        return "文件是 UTF-16 编码，请另存为 UTF-8 后再导入";
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return std::nullopt;
}

std::optional<TTextFault> ScanModelText(std::string_view text, TTextLayout& layout)
{
    return TScanner(text, layout).Run();
}

std::pair<size_t, size_t> TextPosition(std::string_view text, size_t offset)
{
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column; // a character, not a continuation byte
        }
    }
    return { line, column };
}

std::string ShownName(const std::string& name)
{
    std::string shown;
    for (char c : name) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (byte < 0x20 || byte == 0x7F)
            shown += "\\u" + HexText(byte);
        else
            shown += c;
    }
    return shown;
}
