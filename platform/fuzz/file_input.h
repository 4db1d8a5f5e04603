// The fuzzing entries for file readers hand their input to the platform
// through a file, as the program does, so the whole road from the open call
// onwards is what gets checked.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string WriteFuzzFile(const char* extension, const uint8_t* data, size_t size) {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("trivane_fuzz_" + std::to_string(getpid()) + extension)).string();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    // A file cut short (a full disk) would check another input than the one
    // the fuzzer records: stop the run rather than fuzz the wrong bytes.
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
  }
  return path;
}
