#pragma once
#include "codegen/text/Printer.h"

#include <string>
#include <string_view>

// Builds a generated file: Line() appends the text and CR LF, so the
// generators' literals carry no line ends of their own.
class TText {
public:
    TText& Line(const std::string& text)
    {
        text_ += text;
        text_ += "\r\n";
        return *this;
    }
    TText& Empty() { return Line(""); }
    // Text without a line end (a method body, the last line of a file).
    TText& Append(const std::string& text)
    {
        text_ += text;
        return *this;
    }
    // Lines written as the text they emit, with TPrinter's "$name$"
    // variables; each "\n" ends a line with CR LF.
    TText& Print(const TPrinter::TVars& vars, std::string_view text)
    {
        text_ += TPrinter().Print(vars, text).Str();
        return *this;
    }
    const std::string& Str() const { return text_; }

private:
    std::string text_;
};
