#include "codegen/merge/StructuralMerge.h"

#include <list>
#include <string_view>
#include <unordered_map>

namespace {

// Each key's text (a later piece under a key takes its place), by view:
// the pieces outlive the merge.
using TTexts = std::unordered_map<std::string_view, const std::string*>;

TTexts ByKey(const TChunks& chunks)
{
    TTexts texts;
    texts.reserve(chunks.size());
    for (const auto& chunk : chunks)
        texts[chunk.key] = &chunk.text;
    return texts;
}

const std::string& Text(const TTexts& texts, std::string_view key)
{
    static const std::string none;
    auto found = texts.find(key);
    return found == texts.end() ? none : *found->second;
}

} // namespace

TMergedText MergeChunks(const TChunks& base, const TChunks& ours, const TChunks& theirs, const TMergeLabels& labels)
{
    TTexts b = ByKey(base), o = ByKey(ours), t = ByKey(theirs);
    // The order: the user's, with the model's new pieces placed after the
    // piece the new text has before them.
    std::list<std::string_view> order;
    std::unordered_map<std::string_view, std::list<std::string_view>::iterator> placed;
    for (const auto& chunk : ours)
        placed.emplace(chunk.key, order.insert(order.end(), chunk.key));
    auto anchor = order.begin();
    for (const auto& chunk : theirs) {
        auto found = placed.find(chunk.key);
        if (found != placed.end()) {
            anchor = std::next(found->second);
            continue;
        }
        placed.emplace(chunk.key, order.insert(anchor, chunk.key));
    }

    TMergedText result;
    size_t size = 0;
    for (const auto& chunk : ours)
        size += chunk.text.size();
    for (const auto& chunk : theirs)
        size += chunk.text.size();
    result.bytes.reserve(size);
    for (std::string_view key : order) {
        const std::string &was = Text(b, key), &mine = Text(o, key), &model = Text(t, key);
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
