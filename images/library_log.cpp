// The library log "ivx_stats.dat": one record per report, appended in the
// current folder.
#include <cstdio>
#include <string>

#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {
constexpr const char* kVersion = "0.708";
}

std::string IvxVersion() { return kVersion; }

bool WriteLibraryLog(const std::string& reason) {
  const LibraryState& s = State();
  std::string record;
  record += std::string("IVX SESSION START ") + kVersion + "------------------\n";
  record += "IVX loaded : " + std::to_string(s.count) + "\n";
  record += "Reason of output : " + reason + "\n";
  record += std::string("BINARY SEARCH WAS ") + (s.binarySearch ? "ON" : "OFF") + "\n";
  for (int32_t i = 1; i <= s.count; ++i) record += std::to_string(i) + "=" + s.index[i].name + " ";
  record += "\n";
  record += "SESSION END---------------------------------\n";
  // "a" creates the file when it does not exist yet.
  std::FILE* file = std::fopen("ivx_stats.dat", "ab");
  if (file == nullptr) return false;
  const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
  // A full disk may show only when the buffer goes out at the close.
  return std::fclose(file) == 0 && written;
}

}  // namespace ivxfiles
