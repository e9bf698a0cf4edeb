#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a model file's text must be before the JSON parser sees it, checked
// in one pass: UTF-8 without NUL characters or lone surrogates, nesting no
// deeper than kModelFileDepth, no key twice in one object, no number beyond
// a double. The pass also notes where each class and member object starts,
// so that a refusal can give its line.

inline constexpr size_t kModelFileDepth = 64;
inline constexpr size_t kModelFileBytes = size_t(256) << 20;

struct TTextFault {
    size_t offset; // in the text after the byte-order mark
    std::string message;
};

// Byte offsets of the class objects in "classes" and of the member objects
// in each class's "members".
struct TTextLayout {
    std::vector<size_t> classes;
    std::vector<std::vector<size_t>> members;
};

// Removes one UTF-8 byte-order mark; refuses UTF-16 (with or without one)
// and a text over kModelFileBytes.
std::optional<std::string> RefuseEncoding(std::string_view& text);

std::optional<TTextFault> ScanModelText(std::string_view text, TTextLayout& layout);

// Line and column (from 1, in characters) of a byte offset.
std::pair<size_t, size_t> TextPosition(std::string_view text, size_t offset);

// A name as a message shows it: control characters escaped (\n, \t, \u001B),
// so that none cuts the message off or breaks its line.
std::string ShownName(const std::string& name);
