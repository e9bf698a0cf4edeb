#pragma once
#include <string>

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
    const std::string& Str() const { return text_; }

private:
    std::string text_;
};
