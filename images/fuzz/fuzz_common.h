// Shared set-up of the fuzzing entries: boxes are answered by a handler
// instead of being shown, and the first two bytes of an input choose the load
// origin so that pictures near and past the store's edges are tried.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "images/IvxFiles.h"

namespace ivxfuzz {

inline std::string_view Prepare(const uint8_t* data, size_t size) {
  static const bool once = [] {
    ivxfiles::SetBoxHandler([](const std::string&, const std::string&, unsigned) {});
    return true;
  }();
  (void)once;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Origins from -2560 to 2540 across and -1536 to 1524 down reach past every
  // edge of the store.
  if (bytes.size() >= 2) {
    ivxfiles::SetLoadOrigin(static_cast<int8_t>(bytes[0]) * 20, static_cast<int8_t>(bytes[1]) * 12);
  }
  return bytes;
}

}  // namespace ivxfuzz
