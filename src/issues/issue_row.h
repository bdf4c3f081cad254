#pragma once

// The issue row layout of the issue lists: which column of a row holds what. The commands find
// an issue's table row by the sequence column and read the other columns back.
namespace jex::issue_row {

inline constexpr int Group = 0;
inline constexpr int Type = 1;
inline constexpr int Status = 2;
inline constexpr int Priority = 3;
inline constexpr int EnteredBy = 4;
inline constexpr int EnteredDate = 5;
inline constexpr int ResolvedBy = 6;
inline constexpr int ResolvedDate = 7;
inline constexpr int Description = 8;
inline constexpr int Resolution = 9;
inline constexpr int Sequence = 10;
inline constexpr int LastUpdated = 11;
inline constexpr int FollowUp = 12;
inline constexpr int Count = 13;

}  // namespace jex::issue_row
