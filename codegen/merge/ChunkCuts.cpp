#include "codegen/merge/ChunkCuts.h"

#include <string_view>
#include <unordered_map>

namespace {

// The byte after the line end at or after pos (the text's end without one).
size_t LineEnd(const std::string& text, size_t pos)
{
    size_t newline = text.find('\n', pos);
    return newline == std::string::npos ? text.size() : newline + 1;
}

} // namespace

std::optional<TChunks> CutIntoChunks(const std::string& text, size_t headEnd, const std::vector<TUnit>& units)
{
    TChunks chunks;
    chunks.reserve(units.size() + 2);
    std::unordered_map<std::string_view, int> seen(units.size() + 2); // views of the units' keys
    size_t from = 0;
    auto add = [&](std::string_view key, size_t to) {
        int n = ++seen[key];
        std::string named(key);
        if (n > 1)
            named += "#" + std::to_string(n);
        chunks.push_back({ std::move(named), text.substr(from, to - from) });
        from = to;
    };
    add("#head", headEnd == 0 ? 0 : LineEnd(text, headEnd - 1));
    for (const auto& unit : units) {
        if (unit.end == 0 || unit.end > text.size())
            return std::nullopt;
        size_t to = LineEnd(text, unit.end - 1);
        if (to < from)
            return std::nullopt;
        if (to == from && !chunks.empty()) {
            // On the line of the unit before: one piece for both.
            chunks.back().key += "+" + unit.key;
            continue;
        }
        add(unit.key, to);
    }
    add("#tail", text.size());
    return chunks;
}
