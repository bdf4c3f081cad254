#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/value.h"

namespace jex {

class JEXPODiscussionsXML;

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// One member of the control's automation interface, with the dispatch id hosts bind to.
struct DispatchMember {
    std::string_view name;
    int32_t dispid;
    InvokeKind kind;
    int argumentCount;
    // A method that returns a value (which may be Empty), as opposed to one without a result.
    bool hasResult = false;
};

// Errors of late binding itself, as the automation runtime numbers them.
inline constexpr int32_t kMemberNotFound = -2147352573;  // 0x80020003
inline constexpr int32_t kBadParamCount = -2147352562;   // 0x8002000E
inline constexpr const char* kDispatchSource = "Automation";

// Every member in interface order (a property with read and write appears once per kind).
std::span<const DispatchMember> dispatchMembers();

// The dispatch id of a member by name, letter case ignored; nullopt when there is none.
std::optional<int32_t> dispidOf(std::string_view name);

// Calls member `dispid` as `kind` with `arguments` converted to the member's parameter types.
// Returns the result (Empty for none). Raises Error: member not found, wrong argument count,
// an argument that does not convert, and the property procedures' own errors. The methods
// report their own errors and never raise.
Value invoke(JEXPODiscussionsXML& control, int32_t dispid, InvokeKind kind,
             std::span<const Value> arguments);

}  // namespace jex
