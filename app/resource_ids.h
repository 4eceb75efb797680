#pragma once

// Ids of the program's resources and of the join dialog's controls.
inline constexpr int IDD_JOIN = 102;
inline constexpr int IDR_MAINFRAME = 128; // application icon
inline constexpr int IDI_DOWN = 133;
inline constexpr int IDI_UP = 134;

inline constexpr int IDC_MOVE_UP = 1000;
inline constexpr int IDC_MOVE_DOWN = 1001;
inline constexpr int IDC_FILES = 1002;
inline constexpr int IDC_OUTPUT = 1003;
inline constexpr int IDC_SORTED = 1004;
