// A Java file cut into its structure with tree-sitter's Java grammar.
#include "ChunkCuts.h"

#include <tree_sitter/api.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

extern "C" const TSLanguage* tree_sitter_java();

namespace {

std::string NodeText(const std::string& text, TSNode node)
{
    return text.substr(ts_node_start_byte(node), ts_node_end_byte(node) - ts_node_start_byte(node));
}

std::string WithoutBlanks(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            out += c;
    return out;
}

bool IsComment(TSNode node)
{
    std::string type = ts_node_type(node);
    return type == "line_comment" || type == "block_comment" || type == "comment";
}

bool IsTypeDeclaration(const std::string& type)
{
    return type == "class_declaration" || type == "interface_declaration" || type == "enum_declaration" ||
        type == "annotation_type_declaration" || type == "record_declaration";
}

// The named children of a node, walked with a cursor (ts_node_named_child
// walks from the first child at every call).
std::vector<TSNode> NamedChildren(TSNode node)
{
    std::vector<TSNode> children;
    TSTreeCursor cursor = ts_tree_cursor_new(node);
    if (ts_tree_cursor_goto_first_child(&cursor)) {
        do {
            TSNode child = ts_tree_cursor_current_node(&cursor);
            if (ts_node_is_named(child))
                children.push_back(child);
        } while (ts_tree_cursor_goto_next_sibling(&cursor));
    }
    ts_tree_cursor_delete(&cursor);
    return children;
}

// What names a member: its kind and name, a method's and a constructor's
// parameter types too (overloads are different members).
std::string MemberKey(const std::string& text, TSNode member, size_t index)
{
    std::string type = ts_node_type(member);
    auto field = [&](const char* name) { return ts_node_child_by_field_name(member, name, std::strlen(name)); };
    if (type == "field_declaration" || type == "constant_declaration") {
        std::string names;
        for (TSNode child : NamedChildren(member)) {
            if (std::string(ts_node_type(child)) == "variable_declarator") {
                TSNode name = ts_node_child_by_field_name(child, "name", 4);
                names += (names.empty() ? "" : ",") + NodeText(text, name);
            }
        }
        return "field:" + names;
    }
    if (type == "method_declaration" || type == "constructor_declaration") {
        std::string key =
            (type == "method_declaration" ? "method:" : "constructor:") + NodeText(text, field("name")) + "(";
        bool first = true;
        for (TSNode parameter : NamedChildren(field("parameters"))) {
            TSNode parameterType = ts_node_child_by_field_name(parameter, "type", 4);
            if (!ts_node_is_null(parameterType))
                key += (first ? "" : ",") + WithoutBlanks(NodeText(text, parameterType));
            first = false;
        }
        return key + ")";
    }
    if (IsTypeDeclaration(type))
        return "type:" + NodeText(text, field("name"));
    return type + "#" + std::to_string(index);
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
    for (TSNode child : NamedChildren(root)) {
        if (found)
            break;
        std::string type = ts_node_type(child);
        if (type == "package_declaration")
            units.push_back({ "package", ts_node_end_byte(child) });
        else if (type == "import_declaration")
            units.push_back({ "import:" + WithoutBlanks(NodeText(text, child)), ts_node_end_byte(child) });
        else if (IsTypeDeclaration(type)) {
            body = ts_node_child_by_field_name(child, "body", 4);
            found = !ts_node_is_null(body);
        }
    }
    if (!found)
        return std::nullopt;
    // The class header runs to the body's "{".
    units.push_back({ "#classhead", ts_node_start_byte(body) + 1 });
    uint32_t index = 0;
    for (TSNode member : NamedChildren(body)) {
        if (!IsComment(member))
            units.push_back({ MemberKey(text, member, index), ts_node_end_byte(member) });
        ++index;
    }
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
