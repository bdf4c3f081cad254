#pragma once

#include <cstddef>

namespace jex {

// Initialises libcurl once per process; false when it could not be. Never throws.
bool ensureCurlInitialised();

// libcurl's write callback appending to the std::string passed as its user data. An exception
// must not cross into C, so a failed append ends the transfer instead.
size_t appendToString(char* data, size_t size, size_t count, void* text);

}  // namespace jex
