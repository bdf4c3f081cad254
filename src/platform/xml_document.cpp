#include "platform/xml_document.h"

#include <utility>

#include "platform/error.h"

namespace jex {

namespace {

// Collects text without recursion, so that deeply nested input cannot exhaust the stack. The
// walk visits an element before its children, which is where its leading text stands.
class TextCollector : public pugi::xml_tree_walker {
  public:
    explicit TextCollector(std::string leading) : m_text(std::move(leading)) {}
    bool for_each(pugi::xml_node& node) override {
        if (xml::isText(node) || xml::isElement(node)) m_text += node.value();
        return true;
    }
    std::string take() { return std::move(m_text); }

  private:
    std::string m_text;
};

// A well-formed document has exactly one root element and no text beside it.
bool hasSingleRoot(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node node : document.children()) {
        if (xml::isText(node)) return false;
        if (xml::isElement(node)) ++elements;
    }
    return elements == 1;
}

}  // namespace

pugi::xml_node XmlElement::firstElementChild(pugi::xml_node parent) {
    pugi::xml_node node = parent.first_child();
    while (node && !xml::isElement(node)) node = node.next_sibling();
    return node;
}

pugi::xml_node XmlElement::nextElementSibling(pugi::xml_node node) {
    node = node.next_sibling();
    while (node && !xml::isElement(node)) node = node.next_sibling();
    return node;
}

std::string XmlElement::innerText(pugi::xml_node node) {
    if (xml::isText(node)) return node.value();
    TextCollector collector(node.value());
    node.traverse(collector);
    return collector.take();
}

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

std::string_view XmlElement::localName() const {
    std::string_view name = requireNode().name();
    size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Checked from the end, where names differ first and no prefix needs looking for.
bool XmlElement::hasLocalName(std::string_view name) const {
    const std::string_view full = requireNode().name();
    if (!full.ends_with(name)) return false;
    const std::string_view prefix = full.substr(0, full.size() - name.size());
    if (prefix.empty()) return name.find(':') == std::string_view::npos;
    return prefix.find(':') == prefix.size() - 1;
}

std::vector<std::string> XmlElement::childTexts() const {
    std::vector<std::string> texts;
    forEachChildText([&](std::string_view text) { texts.emplace_back(text); });
    return texts;
}

std::string XmlElement::text() const { return innerText(requireNode()); }

XmlDocument::XmlDocument(Fetch fetch) : m_fetch(std::move(fetch)) {}

bool XmlDocument::load(const std::string& url) {
    HttpResponse response = m_fetch(url);
    if (!response.transferOk) return fail("the document could not be fetched: " + response.error);
    if (response.status >= 400)
        return fail("the server answered with HTTP status " + std::to_string(response.status));
    return parse(std::move(response.body));
}

bool XmlDocument::loadXml(std::string_view text) { return parse(std::string(text)); }

bool XmlDocument::parse(std::string text) {
    m_document.reset();
    m_text = std::move(text);
    // As a fragment the parser keeps text outside the root, so that hasSingleRoot can refuse it.
    pugi::xml_parse_result result = m_document.load_buffer_inplace(
        m_text.data(), m_text.size(),
        pugi::parse_default | pugi::parse_fragment | pugi::parse_embed_pcdata);
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
    m_text = std::string();
    m_parseError = std::move(reason);
    return false;
}

}  // namespace jex
