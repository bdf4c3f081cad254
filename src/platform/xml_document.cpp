#include "platform/xml_document.h"

#include <utility>

#include "platform/error.h"

namespace jex {

namespace {

bool isElement(pugi::xml_node node) { return node.type() == pugi::node_element; }

bool isText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

pugi::xml_node firstElementChild(pugi::xml_node parent) {
    pugi::xml_node node = parent.first_child();
    while (node && !isElement(node)) node = node.next_sibling();
    return node;
}

pugi::xml_node nextElementSibling(pugi::xml_node node) {
    node = node.next_sibling();
    while (node && !isElement(node)) node = node.next_sibling();
    return node;
}

// Collects text without recursion, so that deeply nested input cannot exhaust the stack.
class TextCollector : public pugi::xml_tree_walker {
  public:
    bool for_each(pugi::xml_node& node) override {
        if (isText(node)) m_text += node.value();
        return true;
    }
    std::string take() { return std::move(m_text); }

  private:
    std::string m_text;
};

std::string innerText(pugi::xml_node node) {
    if (isText(node)) return node.value();
    TextCollector collector;
    node.traverse(collector);
    return collector.take();
}

// A well-formed document has exactly one root element and no text beside it.
bool hasSingleRoot(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node node : document.children()) {
        if (isText(node)) return false;
        if (isElement(node)) ++elements;
    }
    return elements == 1;
}

}  // namespace

pugi::xml_node XmlElement::requireNode() const {
    if (!m_node) raiseRuntime(err::ObjectNotSet);
    return m_node;
}

XmlElement XmlElement::child(int position) const {
    pugi::xml_node parent = requireNode();
    if (position < 0) raiseRuntime(err::ObjectNotSet);
    bool resume = m_cachedPosition >= 0 && position >= m_cachedPosition;
    int index = resume ? m_cachedPosition : 0;
    pugi::xml_node node = resume ? m_cachedChild : firstElementChild(parent);
    for (; node && index < position; ++index) node = nextElementSibling(node);
    if (!node) raiseRuntime(err::ObjectNotSet);
    m_cachedPosition = position;
    m_cachedChild = node;
    return XmlElement(node);
}

int XmlElement::childCount() const {
    pugi::xml_node parent = requireNode();
    if (m_childCount >= 0) return m_childCount;
    int count = 0;
    for (pugi::xml_node node = firstElementChild(parent); node; node = nextElementSibling(node))
        ++count;
    m_childCount = count;
    return count;
}

std::string XmlElement::localName() const {
    std::string_view name = requireNode().name();
    size_t colon = name.find(':');
    return std::string(colon == std::string_view::npos ? name : name.substr(colon + 1));
}

std::vector<std::string> XmlElement::childTexts() const {
    std::vector<std::string> texts;
    for (pugi::xml_node node : requireNode().children())
        if (isText(node) || isElement(node)) texts.push_back(innerText(node));
    return texts;
}

std::string XmlElement::text() const { return innerText(requireNode()); }

XmlDocument::XmlDocument(Fetch fetch) : m_fetch(std::move(fetch)) {}

bool XmlDocument::load(const std::string& url) {
    HttpResponse response = m_fetch(url);
    if (!response.transferOk) return fail("the document could not be fetched: " + response.error);
    if (response.status >= 400)
        return fail("the server answered with HTTP status " + std::to_string(response.status));
    return loadXml(response.body);
}

bool XmlDocument::loadXml(std::string_view text) {
    m_document.reset();
    // As a fragment the parser keeps text outside the root, so that hasSingleRoot can refuse it.
    pugi::xml_parse_result result = m_document.load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_fragment);
    if (!result)
        return fail(std::string(result.description()) + " at offset " +
                    std::to_string(result.offset));
    if (!hasSingleRoot(m_document)) return fail("the document must hold exactly one root element");
    m_parseError.clear();
    return true;
}

XmlElement XmlDocument::root() const { return XmlElement(m_document.document_element()); }

bool XmlDocument::fail(std::string reason) {
    m_document.reset();
    m_parseError = std::move(reason);
    return false;
}

}  // namespace jex
