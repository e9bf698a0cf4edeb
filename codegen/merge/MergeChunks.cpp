#include "codegen/merge/StructuralMerge.h"

#include <algorithm>
#include <map>

namespace {

using TTexts = std::map<std::string, std::string>;

TTexts ByKey(const TChunks& chunks)
{
    TTexts texts;
    for (const auto& chunk : chunks)
        texts[chunk.key] = chunk.text;
    return texts;
}

std::string Text(const TTexts& texts, const std::string& key)
{
    auto found = texts.find(key);
    return found == texts.end() ? std::string() : found->second;
}

} // namespace

TMergedText MergeChunks(const TChunks& base, const TChunks& ours, const TChunks& theirs, const TMergeLabels& labels)
{
    TTexts b = ByKey(base), o = ByKey(ours), t = ByKey(theirs);
    // The order: the user's, with the model's new pieces placed after the
    // piece the new text has before them.
    std::vector<std::string> order;
    for (const auto& chunk : ours)
        order.push_back(chunk.key);
    size_t anchor = 0;
    for (const auto& chunk : theirs) {
        auto placed = std::find(order.begin(), order.end(), chunk.key);
        if (placed != order.end()) {
            anchor = static_cast<size_t>(placed - order.begin()) + 1;
            continue;
        }
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(anchor), chunk.key);
        ++anchor;
    }

    TMergedText result;
    result.bytes.reserve(ours.empty() ? 0 : ours.back().text.size() * ours.size());
    for (const auto& key : order) {
        std::string was = Text(b, key), mine = Text(o, key), model = Text(t, key);
        if (mine == was) {
            result.bytes += model;
        } else if (model == was || model == mine) {
            result.bytes += mine;
        } else {
            TMergedText piece = MergeThreeWays(was, mine, model, labels);
            result.clean = result.clean && piece.clean;
            result.linesMerged = true;
            result.bytes += piece.bytes;
        }
    }
    return result;
}

namespace {

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TStructuralMerge MergeStructurally(const std::string& fileName, const std::string& base, const std::string& ours,
    const std::string& theirs, const TMergeLabels& labels)
{
    TStructuralMerge out;
    // Changes in different places merge by lines as they always have (and
    // fast); where the lines collide, the structure may still tell them apart.
    out.merged = MergeThreeWays(base, ours, theirs, labels);
    auto chunk = EndsWith(fileName, ".java") ? ChunkJava : EndsWith(fileName, ".xml") ? ChunkXml : nullptr;
    if (out.merged.clean || !chunk)
        return out;
    std::optional<TChunks> b, o, t;
    if (chunk == ChunkJava) {
        if (auto trio = ChunkJavaTrio(base, ours, theirs)) {
            b = std::move((*trio)[0]);
            o = std::move((*trio)[1]);
            t = std::move((*trio)[2]);
        } else {
            o = chunk(ours);
        }
    } else {
        b = chunk(base);
        o = chunk(ours);
        t = chunk(theirs);
    }
    if (b && o && t) {
        TMergedText merged = MergeChunks(*b, *o, *t, labels);
        // Pieces taken whole from texts that parse make a text that parses;
        // one with pieces merged by lines must show it does.
        if (!merged.clean || !merged.linesMerged || chunk(merged.bytes)) {
            out.merged = std::move(merged);
            out.structural = true;
            return out;
        }
    }
    out.note = o ? "(结构合并不适用，已按行合并)" : "(文件无法解析，已按行合并)";
    return out;
}
