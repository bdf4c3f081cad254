#pragma once

#include "control/captions.h"
#include "control/discussion_screen.h"

// The captions of the command buttons are the screen's mode; these read them.
namespace jex {

// True while an issue is added, edited or resolved.
inline bool issueWorkUnderWay(const DiscussionScreen& s) {
    return s.cmdAddDiscussion.caption() != issue_caption::AddIssue ||
           s.cmdCloseDiscussion.caption() != issue_caption::ResolveIssue;
}

// True while a comment is added or edited.
inline bool commentWorkUnderWay(const DiscussionScreen& s) {
    return s.cmdAddComment.caption() != comment_caption::AddComment;
}

// True while either is under way: the fields and the selection belong to that work.
inline bool workUnderWay(const DiscussionScreen& s) {
    return issueWorkUnderWay(s) || commentWorkUnderWay(s);
}

}  // namespace jex
