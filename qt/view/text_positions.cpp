#include "text_positions.h"

#include "qt_text.h"

namespace jex::qt {
namespace {

// One character of the model text as both sides count it.
struct Step {
    int bytes;
    int characters;
    int units;
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

Step stepAt(std::string_view text, size_t pos, bool multiLine) {
    if (multiLine && text.substr(pos).starts_with("\r\n")) return {2, 2, 1};
    const auto lead = static_cast<unsigned char>(text[pos]);
    int bytes = 1;
    while (pos + bytes < text.size() &&
           isContinuation(static_cast<unsigned char>(text[pos + bytes])))
        ++bytes;
    // Four-byte sequences are the code points beyond the BMP, which take a surrogate pair.
    return {bytes, 1, lead >= 0xF0 && bytes == 4 ? 2 : 1};
}

// Walks the text until `done` says stop, and returns how far each side counted.
template <class Done>
Step walk(std::string_view text, bool multiLine, Done done) {
    Step at{0, 0, 0};
    while (static_cast<size_t>(at.bytes) < text.size()) {
        const Step step = stepAt(text, static_cast<size_t>(at.bytes), multiLine);
        if (done(at, step)) break;
        at = {at.bytes + step.bytes, at.characters + step.characters, at.units + step.units};
    }
    return at;
}

}  // namespace

QString toNativeText(std::string_view modelText, bool multiLine) {
    QString text = toQString(modelText);
    if (multiLine) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

int characterCount(std::string_view modelText) {
    return walk(modelText, false, [](const Step&, const Step&) { return false; }).characters;
}

int toNativePosition(std::string_view modelText, int characters, bool multiLine) {
    return walk(modelText, multiLine,
                [&](const Step& at, const Step& step) {
                    return at.characters + step.characters > characters;
                })
        .units;
}

int toModelPosition(std::string_view modelText, int units, bool multiLine) {
    return walk(modelText, multiLine,
                [&](const Step& at, const Step& step) { return at.units + step.units > units; })
        .characters;
}

}  // namespace jex::qt
