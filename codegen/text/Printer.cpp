#include "codegen/text/Printer.h"

#include <stdexcept>

void TPrinter::Put(std::string_view piece)
{
    if (piece.empty())
        return;
    if (atLineStart_)
        text_ += indent_;
    text_ += piece;
    atLineStart_ = false;
}

TPrinter& TPrinter::Print(const TVars& vars, std::string_view text)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t stop = text.find_first_of("$\n", at);
        if (stop == std::string_view::npos) {
            Put(text.substr(at));
            break;
        }
        Put(text.substr(at, stop - at));
        if (text[stop] == '\n') {
            text_ += "\r\n";
            atLineStart_ = true;
            at = stop + 1;
            continue;
        }
        size_t end = text.find('$', stop + 1);
        if (end == std::string_view::npos)
            throw std::logic_error("unterminated variable in: " + std::string(text));
        std::string name(text.substr(stop + 1, end - stop - 1));
        if (name.empty()) {
            Put("$");
        } else {
            auto value = vars.find(name);
            if (value == vars.end())
                throw std::logic_error("no value for $" + name + "$");
            Put(value->second);
        }
        at = end + 1;
    }
    return *this;
}

TPrinter& TPrinter::Append(const std::string& text)
{
    if (!text.empty()) {
        text_ += text;
        atLineStart_ = text.back() == '\n';
    }
    return *this;
}
