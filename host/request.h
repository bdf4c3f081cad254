#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "json_value.h"
#include "platform/dates.h"

namespace jex::host {

// A request that is itself wrong (bad JSON, unknown op or name, a missing or mistyped field):
// answered with error number 0 and this text, and the session goes on.
class RequestError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// `text` in double quotes, for naming what is wrong in a RequestError. Never fails.
std::string inQuotes(std::string_view text);

// One request object with typed access to its fields. Every accessor raises RequestError
// naming the field when it is missing or has the wrong type or form.
class Request {
  public:
    // Raises RequestError when `object` is not a JSON object with a text field "op".
    explicit Request(const Json& object);

    const std::string& op() const { return m_op; }
    bool has(std::string_view field) const;

    // The field as it stands.
    const Json& any(std::string_view field) const;
    std::string text(std::string_view field) const;
    // A whole number within the range of int.
    int integer(std::string_view field) const;
    // An optional Boolean: `fallback` when the field is absent.
    bool flag(std::string_view field, bool fallback) const;
    // A list, or an object, as it stands.
    const Json& list(std::string_view field) const;
    const Json& object(std::string_view field) const;
    // A date "yyyy-mm-dd", at midnight.
    DateTime date(std::string_view field) const;
    // A date and time "yyyy-mm-ddThh:mm:ss".
    DateTime dateTime(std::string_view field) const;

  private:
    [[noreturn]] void wrongType(std::string_view field, std::string_view expected) const;

    const Json& m_object;
    std::string m_op;
};

}  // namespace jex::host
