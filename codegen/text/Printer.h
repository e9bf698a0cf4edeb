#pragma once
#include <algorithm>
#include <map>
#include <string>
#include <string_view>

// Prints generated text from templates written as the text they emit: each
// "\n" ends a line with CR LF, "$name$" is replaced by the variable's value
// ("$$" is one dollar sign), and every line begun while an indent is in
// effect starts with it (empty lines stay empty). A variable the template
// names but the call does not give is a fault of the generator: it throws
// std::logic_error.
class TPrinter {
public:
    using TVars = std::map<std::string, std::string>;

    TPrinter& Print(const TVars& vars, std::string_view text);
    TPrinter& Print(std::string_view text) { return Print({}, text); }
    // Text made elsewhere, lines and line ends included, as it stands.
    TPrinter& Append(const std::string& text);
    void Indent(size_t spaces) { indent_.append(spaces, ' '); }
    void Outdent(size_t spaces) { indent_.resize(indent_.size() - std::min(spaces, indent_.size())); }
    const std::string& Str() const { return text_; }

private:
    void Put(std::string_view piece);

    std::string text_;
    std::string indent_;
    bool atLineStart_ = true;
};
