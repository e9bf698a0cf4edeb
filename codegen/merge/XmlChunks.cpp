// An XML file cut into its structure with pugixml.
#include "codegen/merge/ChunkCuts.h"

#include <pugixml.hpp>

#include <cstring>

namespace {

// Where a node's text starts in the buffer (pugixml gives the offset of an
// element's name and of a comment's text).
size_t Start(const pugi::xml_node& node)
{
    size_t offset = static_cast<size_t>(node.offset_debug());
    switch (node.type()) {
    case pugi::node_element:
        return offset - 1; // "<"
    case pugi::node_comment:
        return offset - 4; // "<!--"
    case pugi::node_cdata:
        return offset - 9; // "<![CDATA["
    default:
        return offset;
    }
}

size_t ElementChildren(const pugi::xml_node& node)
{
    size_t n = 0;
    for (auto child : node.children())
        n += child.type() == pugi::node_element ? 1 : 0;
    return n;
}

// What names an element among its siblings: its name and the attribute
// that identifies it in the generated files.
std::string ElementKey(const pugi::xml_node& element)
{
    for (const char* attribute : { "name", "resource", "class", "namespace", "column" }) {
        pugi::xml_attribute value = element.attribute(attribute);
        if (value)
            return std::string(element.name()) + ":" + attribute + "=" + value.value();
    }
    return element.name();
}

} // namespace

std::optional<TChunks> ChunkXml(const std::string& bytes)
{
    // A byte-order mark stays in the head; the parser sees the rest.
    size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string text = bytes.substr(skip);
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size(),
        pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments | pugi::parse_declaration |
            pugi::parse_doctype,
        pugi::encoding_utf8);
    if (!parsed)
        return std::nullopt;
    pugi::xml_node container = document.document_element();
    if (!container)
        return std::nullopt;
    // The innermost element that holds the pieces: <class> of a mapping
    // file, <session-factory> of hibernate.cfg.xml, <struts>, <validators>.
    while (ElementChildren(container) == 1 &&
        ElementChildren(container.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; })) > 1)
        container = container.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; });
    pugi::xml_node first = container.first_child();
    if (!first)
        return std::nullopt;
    std::vector<TUnit> units;
    for (pugi::xml_node child = first; child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        pugi::xml_node next = child.next_sibling();
        if (!next)
            return std::nullopt; // the closing tag right after it: no line to cut at
        units.push_back({ ElementKey(child), Start(next) + skip });
    }
    if (units.empty())
        return std::nullopt;
    return CutIntoChunks(bytes, Start(first) + skip, units);
}
