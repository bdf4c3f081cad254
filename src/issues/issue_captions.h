#pragma once

// The captions of the issue commands. They are the issue area's mode: a handler reads its own
// button's caption to know whether a click starts work or ends it.
namespace jex::issue_caption {

inline constexpr const char* AddIssue = "Add Issue";
inline constexpr const char* Save = "Save";
inline constexpr const char* Edit = "Edit";
inline constexpr const char* Cancel = "Cancel";
inline constexpr const char* ResolveIssue = "Resolve Issue";

}  // namespace jex::issue_caption
