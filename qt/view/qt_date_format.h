#pragma once

#include <QDate>
#include <QString>
#include <string_view>

#include "platform/dates.h"

namespace jex::qt {

// The Qt display format that shows a date as the model's custom format does (read with an
// English locale): the tokens both languages share are kept, AM/PM becomes Qt's, and every
// other letter is quoted so that Qt never reads it as a token of its own. A one-letter A/P
// marker has no Qt counterpart and shows as AM/PM.
QString toQtDateFormat(std::string_view customFormat);

// The day of a model date, and midnight of a Qt date.
QDate toQDate(DateTime value);
DateTime fromQDate(QDate day);

}  // namespace jex::qt
