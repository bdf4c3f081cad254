#pragma once

namespace jex {

struct LibraryVersion {
    int major;
    int minor;
    int revision;
};

// The library's version as built (from the project's version). Never fails.
LibraryVersion libraryVersion();

}  // namespace jex
