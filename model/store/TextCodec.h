#pragma once
#include <stdexcept>
#include <string>

// Conversion between the program's UTF-8 text and GBK (code page 936) bytes,
// the encoding of templates and of most generated files.
class TEncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws TEncodingError when a character has no GBK form.
std::string Utf8ToGbk(const std::string& utf8);
// Throws TEncodingError on bytes that are not valid GBK.
std::string GbkToUtf8(const std::string& gbk);
// True when the text is valid UTF-8 and every character has a GBK form.
bool IsGbkEncodable(const std::string& utf8);
