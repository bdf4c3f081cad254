#pragma once

// The captions of the command buttons. They are the screen's mode: a handler reads its own
// button's caption to know whether a click starts work or ends it, and the list clicks read
// them to know whether work is under way.
namespace jex::issue_caption {

inline constexpr const char* AddIssue = "Add Issue";
inline constexpr const char* Save = "Save";
inline constexpr const char* Edit = "Edit";
inline constexpr const char* Cancel = "Cancel";
inline constexpr const char* ResolveIssue = "Resolve Issue";

}  // namespace jex::issue_caption

namespace jex::comment_caption {

inline constexpr const char* AddComment = "Add Comment";
inline constexpr const char* Save = "Save";
inline constexpr const char* Edit = "Edit";
inline constexpr const char* Cancel = "Cancel";

}  // namespace jex::comment_caption
