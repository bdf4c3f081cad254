#include "platform/version.h"

namespace jex {

LibraryVersion libraryVersion() {
    return LibraryVersion{JEX_VERSION_MAJOR, JEX_VERSION_MINOR, JEX_VERSION_PATCH};
}

}  // namespace jex
