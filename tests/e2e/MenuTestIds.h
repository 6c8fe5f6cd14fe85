#pragma once
// What e2e_menu_app and the tests that drive it agree on.

namespace corvane::test {

inline constexpr wchar_t kMenuTestWindowClass[] = L"CorvaneMenuTestWindow";

// File
inline constexpr unsigned kMenuIdOpen = 101;
inline constexpr unsigned kMenuIdSave = 102;
inline constexpr unsigned kMenuIdClose = 103;
// Edit
inline constexpr unsigned kMenuIdUndo = 201;
inline constexpr unsigned kMenuIdCopy = 202;

}  // namespace corvane::test
