// A Java file cut into its structure with tree-sitter's Java grammar.
#include "codegen/merge/ChunkCuts.h"

#include <tree_sitter/api.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <string_view>

extern "C" const TSLanguage* tree_sitter_java();

namespace {

std::string NodeText(const std::string& text, TSNode node)
{
    return text.substr(ts_node_start_byte(node), ts_node_end_byte(node) - ts_node_start_byte(node));
}

std::string WithoutBlanks(const std::string& text, TSNode node)
{
    std::string out;
    for (uint32_t i = ts_node_start_byte(node), end = ts_node_end_byte(node); i < end; ++i) {
        char c = text[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

// The kinds of node the cutting tells apart.
enum class TKind { Other, Comment, Field, Method, Constructor, Type, Declarator, Package, Import };

// Each grammar symbol's kind, by the symbol's name, worked out once (a
// node's type is its symbol's name: comparing names at every node was a
// tenth of the cutting).
TKind KindOf(TSNode node)
{
    static const std::vector<TKind> kinds = [] {
        const TSLanguage* language = tree_sitter_java();
        static const std::map<std::string, TKind, std::less<>> byName = { { "line_comment", TKind::Comment },
            { "block_comment", TKind::Comment }, { "comment", TKind::Comment }, { "field_declaration", TKind::Field },
            { "constant_declaration", TKind::Field }, { "method_declaration", TKind::Method },
            { "constructor_declaration", TKind::Constructor }, { "class_declaration", TKind::Type },
            { "interface_declaration", TKind::Type }, { "enum_declaration", TKind::Type },
            { "annotation_type_declaration", TKind::Type }, { "record_declaration", TKind::Type },
            { "variable_declarator", TKind::Declarator }, { "package_declaration", TKind::Package },
            { "import_declaration", TKind::Import } };
        std::vector<TKind> table(ts_language_symbol_count(language), TKind::Other);
        for (TSSymbol symbol = 0; symbol < table.size(); ++symbol) {
            const char* name = ts_language_symbol_name(language, symbol);
            auto found = name ? byName.find(std::string_view(name)) : byName.end();
            if (found != byName.end())
                table[symbol] = found->second;
        }
        return table;
    }();
    TSSymbol symbol = ts_node_symbol(node);
    return symbol < kinds.size() ? kinds[symbol] : TKind::Other;
}

// The grammar's field ids, looked up once: by name, tree-sitter compares
// the name with every field name of the grammar at each call.
struct TFields {
    TSFieldId name, parameters, type, body;
};

const TFields& Fields()
{
    static const TFields fields = [] {
        const TSLanguage* language = tree_sitter_java();
        auto id = [language](const char* name) {
            return ts_language_field_id_for_name(language, name, static_cast<uint32_t>(std::strlen(name)));
        };
        return TFields { id("name"), id("parameters"), id("type"), id("body") };
    }();
    return fields;
}

// Calls take(child, field id) for each named child of a node, walked with
// a cursor (ts_node_named_child walks from the first child at every call),
// until take returns false.
template<typename TTake> void EachNamedChild(TSNode node, TTake take)
{
    TSTreeCursor cursor = ts_tree_cursor_new(node);
    if (ts_tree_cursor_goto_first_child(&cursor)) {
        do {
            TSNode child = ts_tree_cursor_current_node(&cursor);
            if (ts_node_is_named(child) && !take(child, ts_tree_cursor_current_field_id(&cursor)))
                break;
        } while (ts_tree_cursor_goto_next_sibling(&cursor));
    }
    ts_tree_cursor_delete(&cursor);
}

// What names a member: its kind and name, a method's and a constructor's
// parameter types too (overloads are different members).
std::string MemberKey(const std::string& text, TSNode member, size_t index)
{
    const TFields& fields = Fields();
    TKind kind = KindOf(member);
    if (kind == TKind::Field) {
        std::string names;
        EachNamedChild(member, [&](TSNode child, TSFieldId) {
            if (KindOf(child) == TKind::Declarator)
                names += (names.empty() ? "" : ",") + NodeText(text, ts_node_child_by_field_id(child, fields.name));
            return true;
        });
        return "field:" + names;
    }
    bool method = kind == TKind::Method;
    if (method || kind == TKind::Constructor) {
        TSNode name = {}, parameters = {};
        EachNamedChild(member, [&](TSNode child, TSFieldId field) {
            // The first of each, as ts_node_child_by_field_id finds it.
            if (field == fields.name && ts_node_is_null(name))
                name = child;
            else if (field == fields.parameters && ts_node_is_null(parameters))
                parameters = child;
            return true;
        });
        std::string key = (method ? "method:" : "constructor:") + NodeText(text, name) + "(";
        bool first = true;
        if (!ts_node_is_null(parameters))
            EachNamedChild(parameters, [&](TSNode parameter, TSFieldId) {
                TSNode parameterType = ts_node_child_by_field_id(parameter, fields.type);
                if (!ts_node_is_null(parameterType))
                    key += (first ? "" : ",") + WithoutBlanks(text, parameterType);
                first = false;
                return true;
            });
        return key + ")";
    }
    if (kind == TKind::Type)
        return "type:" + NodeText(text, ts_node_child_by_field_id(member, fields.name));
    return ts_node_type(member) + std::string("#") + std::to_string(index);
}

} // namespace

namespace {

using TTreePtr = std::unique_ptr<TSTree, void (*)(TSTree*)>;

TSParser* Parser()
{
    // One parser per thread, made once.
    thread_local std::unique_ptr<TSParser, void (*)(TSParser*)> parser(ts_parser_new(), ts_parser_delete);
    thread_local bool ready = ts_parser_set_language(parser.get(), tree_sitter_java());
    return ready ? parser.get() : nullptr;
}

// old (null for none) is a tree of an earlier text edited to match this one:
// tree-sitter then parses only what changed.
TTreePtr Parse(const std::string& text, const TSTree* old)
{
    TSParser* parser = Parser();
    if (!parser)
        return TTreePtr(nullptr, ts_tree_delete);
    return TTreePtr(
        ts_parser_parse_string(parser, old, text.data(), static_cast<uint32_t>(text.size())), ts_tree_delete);
}

std::optional<TChunks> ChunkTree(const std::string& text, const TSTree* tree)
{
    if (!tree)
        return std::nullopt;
    TSNode root = ts_tree_root_node(tree);
    if (ts_node_has_error(root))
        return std::nullopt;
    std::vector<TUnit> units;
    TSNode body = {};
    bool found = false;
    EachNamedChild(root, [&](TSNode child, TSFieldId) {
        TKind kind = KindOf(child);
        if (kind == TKind::Package)
            units.push_back({ "package", ts_node_end_byte(child) });
        else if (kind == TKind::Import)
            units.push_back({ "import:" + WithoutBlanks(text, child), ts_node_end_byte(child) });
        else if (kind == TKind::Type) {
            body = ts_node_child_by_field_id(child, Fields().body);
            found = !ts_node_is_null(body);
        }
        return !found;
    });
    if (!found)
        return std::nullopt;
    // The class header runs to the body's "{".
    units.push_back({ "#classhead", ts_node_start_byte(body) + 1 });
    uint32_t index = 0;
    EachNamedChild(body, [&](TSNode member, TSFieldId) {
        if (KindOf(member) != TKind::Comment)
            units.push_back({ MemberKey(text, member, index), ts_node_end_byte(member) });
        ++index;
        return true;
    });
    return CutIntoChunks(text, 0, units);
}

TSPoint PointAt(const std::string& text, size_t offset)
{
    TSPoint point = { 0, 0 };
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++point.row;
            point.column = 0;
        } else {
            ++point.column;
        }
    }
    return point;
}

// The tree of base, edited into one of text: the span between their common
// start and common end replaced.
TTreePtr EditedTree(const TSTree* base, const std::string& was, const std::string& text)
{
    size_t limit = std::min(was.size(), text.size());
    size_t start = 0;
    while (start < limit && was[start] == text[start])
        ++start;
    size_t end = 0;
    while (end < limit - start && was[was.size() - 1 - end] == text[text.size() - 1 - end])
        ++end;
    TTreePtr copy(ts_tree_copy(base), ts_tree_delete);
    TSInputEdit edit;
    edit.start_byte = static_cast<uint32_t>(start);
    edit.old_end_byte = static_cast<uint32_t>(was.size() - end);
    edit.new_end_byte = static_cast<uint32_t>(text.size() - end);
    edit.start_point = PointAt(was, start);
    edit.old_end_point = PointAt(was, was.size() - end);
    edit.new_end_point = PointAt(text, text.size() - end);
    ts_tree_edit(copy.get(), &edit);
    return copy;
}

} // namespace

std::optional<TChunks> ChunkJava(const std::string& text)
{
    TTreePtr tree = Parse(text, nullptr);
    return ChunkTree(text, tree.get());
}

std::optional<std::array<TChunks, 3>> ChunkJavaTrio(
    const std::string& base, const std::string& ours, const std::string& theirs)
{
    TTreePtr baseTree = Parse(base, nullptr);
    if (!baseTree)
        return std::nullopt;
    std::optional<TChunks> b = ChunkTree(base, baseTree.get());
    if (!b)
        return std::nullopt;
    TTreePtr oursTree = Parse(ours, EditedTree(baseTree.get(), base, ours).get());
    std::optional<TChunks> o = ChunkTree(ours, oursTree.get());
    TTreePtr theirsTree = Parse(theirs, EditedTree(baseTree.get(), base, theirs).get());
    std::optional<TChunks> t = ChunkTree(theirs, theirsTree.get());
    if (!o || !t)
        return std::nullopt;
    return std::array<TChunks, 3> { std::move(*b), std::move(*o), std::move(*t) };
}
