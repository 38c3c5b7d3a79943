#pragma once
// Exit statuses of every zevo3 command.

namespace zevo3::cli {

inline constexpr int kDone = 0;
inline constexpr int kNoAnswer = 1; // also: the files have problems (check, dump, make)
inline constexpr int kCannot = 2;   // bad usage, unreadable file, port not opened

} // namespace zevo3::cli
