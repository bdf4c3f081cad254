#pragma once

#include <functional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http_get.h"

namespace jex {

namespace xml {
inline bool isElement(pugi::xml_node node) { return node.type() == pugi::node_element; }
inline bool isText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}
}  // namespace xml

// A handle on one element of an XmlDocument, or a null handle. Valid while its document lives
// and is not reloaded. Positions count element children only. Every accessor but isNull()
// raises Object variable not set (91) on a null handle.
class XmlElement {
  public:
    XmlElement() = default;
    explicit XmlElement(pugi::xml_node node) : m_node(node) {}

    bool isNull() const { return !m_node; }
    // The position-th child element, 0-based. Raises 91 outside 0..childCount()-1. Walking the
    // positions in ascending order costs one step each.
    XmlElement child(int position) const;
    // The number of child elements.
    int childCount() const;
    // Calls visit(XmlElement) for each child element in document order.
    template <class Visit>
    void forEachChild(Visit&& visit) const;
    // The element's name without its namespace prefix ("x:IssueSequence" gives "IssueSequence"),
    // valid while the document lives.
    std::string_view localName() const;
    // localName() == name, without measuring the element's name first.
    bool hasLocalName(std::string_view name) const;
    // The text of each child node in document order: a text or CDATA node gives its own text, a
    // child element all the text inside it.
    std::vector<std::string> childTexts() const;
    // Calls visit(std::string_view) with each of those texts, valid during the call only.
    template <class Visit>
    void forEachChildText(Visit&& visit) const;
    // All text inside the element, concatenated in document order.
    std::string text() const;

  private:
    pugi::xml_node requireNode() const;
    static pugi::xml_node firstElementChild(pugi::xml_node parent);
    static pugi::xml_node nextElementSibling(pugi::xml_node node);
    static std::string innerText(pugi::xml_node node);

    pugi::xml_node m_node;
    // Loaders walk thousands of records by position: remember where the last walk stopped.
    mutable int m_cachedPosition = -1;
    mutable pugi::xml_node m_cachedChild;
    mutable int m_childCount = -1;
};

template <class Visit>
void XmlElement::forEachChild(Visit&& visit) const {
    for (pugi::xml_node node = firstElementChild(requireNode()); node;
         node = nextElementSibling(node))
        visit(XmlElement(node));
}

template <class Visit>
void XmlElement::forEachChildText(Visit&& visit) const {
    const pugi::xml_node element = requireNode();
    if (const char* leading = element.value(); *leading != '\0') visit(std::string_view(leading));
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (xml::isText(node))
            visit(std::string_view(node.value()));
        else if (xml::isElement(node))
            visit(std::string_view(innerText(node)));
    }
}

// An XML document loaded whole and synchronously, parsed with whitespace-only text between
// elements dropped. An element's leading text is held in the element itself rather than in a
// node of its own, which halves what a document of many short fields takes; the accessors above
// read it as the first text child it stands for.
class XmlDocument {
  public:
    using Fetch = std::function<HttpResponse(const std::string& url)>;

    // `fetch` performs the GET of load(); httpGet unless a test replaces it.
    explicit XmlDocument(Fetch fetch = httpGet);
    // The elements point into the document's own text, which must not move.
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Fetches `url` and parses the answer. A failed transfer, an HTTP status of 400 or more,
    // or text that is not well-formed XML returns false and leaves the document without a root;
    // parseError() then says why.
    bool load(const std::string& url);
    // Parses `text` as load() parses an answer; fails the same way.
    bool loadXml(std::string_view text);

    // The root element; a null element when the document has none.
    XmlElement root() const;
    // Why the last load failed; empty after a successful one.
    const std::string& parseError() const { return m_parseError; }

  private:
    bool parse(std::string text);
    bool fail(std::string reason);

    Fetch m_fetch;
    // The text parsed in place: the document's names and texts point into it, so that a large
    // discussion is held once and not twice.
    std::string m_text;
    pugi::xml_document m_document;
    std::string m_parseError;
};

}  // namespace jex
