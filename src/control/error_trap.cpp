#include "control/error_trap.h"

#include <exception>
#include <new>

namespace jex {
namespace {
constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kInternalError = 51;
}  // namespace

Error currentError() {
    try {
        throw;
    } catch (const Error& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return Error(kOutOfMemory, "Out of memory", kLibraryName);
    } catch (const std::exception& error) {
        return Error(kInternalError, std::string("Internal error: ") + error.what(), kLibraryName);
    } catch (...) {
        return Error(kInternalError, "Internal error", kLibraryName);
    }
}

}  // namespace jex
