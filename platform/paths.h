// File names inside the program are written the Windows way ("Sounds\place.wav",
// "Pointers\Arrow.cur").  Every file the program opens goes through NativePath
// first, so the same names work on every system.
#pragma once

#include <string>
#include <string_view>

#if defined(_WIN32)
inline std::string NativePath(std::string_view path) { return std::string(path); }
#else
// Turns "\" separators into "/", drops a drive prefix such as "C:", and where
// the exact name does not exist finds each folder and file ignoring case, as a
// Windows file system would.  An empty name stays empty.
std::string NativePath(std::string_view path);
#endif
