#include "model/rules/ClosestWord.h"

#include <algorithm>

namespace {

std::u32string CodePoints(const std::string& text)
{
    std::u32string points;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}

size_t Steps(const std::u32string& a, const std::u32string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t up = row[j];
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1) });
            diagonal = up;
        }
    }
    return row[b.size()];
}

} // namespace

std::string ClosestWord(const std::string& word, const std::vector<std::string>& words, size_t maxSteps)
{
    std::u32string given = CodePoints(word);
    std::string best;
    size_t bestSteps = maxSteps + 1;
    for (const std::string& candidate : words) {
        size_t steps = Steps(given, CodePoints(candidate));
        if (steps > 0 && steps < bestSteps) {
            bestSteps = steps;
            best = candidate;
        }
    }
    return best;
}
