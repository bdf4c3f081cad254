#pragma once

#include <functional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http_get.h"

namespace jex {

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
    // The element's name without its namespace prefix ("x:IssueSequence" gives "IssueSequence").
    std::string localName() const;
    // The text of each child node in document order: a text or CDATA node gives its own text, a
    // child element all the text inside it.
    std::vector<std::string> childTexts() const;
    // All text inside the element, concatenated in document order.
    std::string text() const;

  private:
    pugi::xml_node requireNode() const;

    pugi::xml_node m_node;
    // Loaders walk thousands of records by position: remember where the last walk stopped.
    mutable int m_cachedPosition = -1;
    mutable pugi::xml_node m_cachedChild;
    mutable int m_childCount = -1;
};

// An XML document loaded whole and synchronously, parsed with whitespace-only text between
// elements dropped.
class XmlDocument {
  public:
    using Fetch = std::function<HttpResponse(const std::string& url)>;

    // `fetch` performs the GET of load(); httpGet unless a test replaces it.
    explicit XmlDocument(Fetch fetch = httpGet);

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
    bool fail(std::string reason);

    Fetch m_fetch;
    pugi::xml_document m_document;
    std::string m_parseError;
};

}  // namespace jex
