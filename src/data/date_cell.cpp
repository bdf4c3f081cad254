#include "data/date_cell.h"

#include "platform/dates.h"

namespace jex {

std::string dateCell(const Value& field) {
    std::string text = field.textOrEmpty();
    return isDate(text) ? text : std::string();
}

}  // namespace jex
