#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "json_value.h"
#include "platform/error.h"

// The shapes of the host's answers. None of them fails.
namespace jex::host {

// The request did what it asked.
inline Json ok() { return {{"ok", true}}; }

// The request did what it asked and answers `value` under `key`.
inline Json ok(std::string_view key, Json value) {
    Json answer = ok();
    answer[std::string(key)] = std::move(value);
    return answer;
}

// A user's input that the widget (or a container of it) does not take.
inline Json ignored() { return ok("ignored", true); }

// A request that is itself wrong: number 0 and what is wrong.
inline Json failure(int32_t number, std::string_view description) {
    return {{"ok", false}, {"error", {{"number", number}, {"description", description}}}};
}

// An error the control returns to its host.
inline Json failure(const Error& error) {
    return {{"ok", false},
            {"error",
             {{"number", error.number()},
              {"description", error.description()},
              {"source", error.source()}}}};
}

}  // namespace jex::host
