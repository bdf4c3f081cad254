#pragma once

// The comment row layout of the comment lists: which column of a row holds what. The commands
// find a comment's table row by the sequence column and read the other columns back.
namespace jex::comment_row {

inline constexpr int Description = 0;
inline constexpr int EnteredBy = 1;
inline constexpr int EnteredDate = 2;
inline constexpr int Type = 3;
inline constexpr int Sequence = 4;
inline constexpr int Owner = 5;
inline constexpr int LastUpdated = 6;
inline constexpr int CenterFocus = 7;
inline constexpr int CenterFollowUp = 8;
inline constexpr int PurchasingFocus = 9;
inline constexpr int CscFollowUp = 10;
inline constexpr int AccountingFocus = 11;
inline constexpr int BillingFocus = 12;
inline constexpr int JexdFocus = 13;
inline constexpr int Count = 14;

// A row text that stands for a missing description; the description box shows it as empty.
inline constexpr const char* kNoDescription = "<no description>";

}  // namespace jex::comment_row
