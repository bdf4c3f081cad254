#include "platform/error.h"

#include <utility>

namespace jex {

Error::Error(int32_t number, std::string description, std::string source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)) {}

std::string runtimeErrorText(int32_t number) {
    switch (number) {
        case err::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case err::Overflow:
            return "Overflow";
        case err::SubscriptOutOfRange:
            return "Subscript out of range";
        case err::TypeMismatch:
            return "Type mismatch";
        case err::ObjectNotSet:
            return "Object variable or With block variable not set";
        case err::InvalidUseOfNull:
            return "Invalid use of Null";
        case err::ControlArrayElementMissing:
            return "Control array element does not exist";
        case err::ObjectAlreadyLoaded:
            return "Object already loaded";
        case err::CannotUnloadDesignTime:
            return "Can't unload controls created at design time";
        case err::InvalidPropertyValue:
            return "Invalid property value";
        case err::IndexOutOfBounds:
            return "Index out of bounds";
        default:
            return "Application-defined or object-defined error";
    }
}

void raiseRuntime(int32_t number) { throw Error(number, runtimeErrorText(number), kLibraryName); }

void raiseComponent(int32_t number, std::string description, std::string source) {
    throw Error(number, std::move(description), std::move(source));
}

}  // namespace jex
