#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace jex {

// The library's own name: the source of every runtime error the control raises.
inline constexpr const char* kLibraryName = "JEXDiscussionsXML";

// Classic runtime error numbers. Their texts come from runtimeErrorText().
namespace err {
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t ObjectNotSet = 91;
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t ControlArrayElementMissing = 340;
inline constexpr int32_t ObjectAlreadyLoaded = 360;
inline constexpr int32_t CannotUnloadDesignTime = 362;
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t IndexOutOfBounds = 35600;
}  // namespace err

// The one error type of the control: what the platform's current-error object holds.
// Thrown inside the control and caught only by the trap helper (or by a host boundary).
class Error : public std::exception {
  public:
    Error(int32_t number, std::string description, std::string source);

    int32_t number() const { return m_number; }
    const std::string& description() const { return m_description; }
    const std::string& source() const { return m_source; }
    const char* what() const noexcept override { return m_description.c_str(); }

  private:
    int32_t m_number;
    std::string m_description;
    std::string m_source;
};

// Text of a classic runtime error number; "Application-defined or object-defined error" for
// numbers without a text of their own.
std::string runtimeErrorText(int32_t number);

// Raises the classic runtime error `number` with its text and the library as source.
[[noreturn]] void raiseRuntime(int32_t number);

// Raises an error of a component (record table, XML document, transfer): `number` is negative,
// `source` names the component.
[[noreturn]] void raiseComponent(int32_t number, std::string description, std::string source);

}  // namespace jex
