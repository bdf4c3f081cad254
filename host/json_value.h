#pragma once

#include <nlohmann/json.hpp>

#include "platform/value.h"

namespace jex::host {

// The host's JSON, keeping the order in which an answer's keys are written ("ok" first).
using Json = nlohmann::ordered_json;

// The JSON form of a value: text a string; Integer, Long and Double numbers; Boolean; Null
// null; Empty {"empty":true}; a 2-D array a list of rows, each a list. Never fails.
Json toJson(const Value& value);

// The value a JSON form stands for: a whole number is a Long when it fits 32 bits and a Double
// otherwise, a fraction a Double, a list of equally long rows a 2-D array. Raises RequestError
// for anything else (an object other than {"empty":true}, a list that is not rows of cells).
Value fromJson(const Json& json);

}  // namespace jex::host
