#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace jex::qt {

// The model's strings are UTF-8; Qt's are UTF-16. Every crossing goes through these two.
inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace jex::qt
