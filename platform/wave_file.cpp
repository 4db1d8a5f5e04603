// Checks a wave file's chunks before the audio library reads it.  A file cut
// short, or damaged, can claim a data chunk of up to 4 GB; handed on as it is
// that would make the reader reserve the claimed size.  Here the claims are
// held against the bytes the file really holds: a data chunk that runs past
// the end is cut to what is there, a file with no sound in it is refused.
#include <cstring>

#include "platform/internal.h"

namespace plat {

namespace {
uint32_t Le32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (uint32_t(d[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& d, size_t at) { return static_cast<uint16_t>(d[at] | (d[at + 1] << 8)); }
void Put32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

bool CheckWave(std::vector<uint8_t>& d, std::string* why) {
  auto refuse = [&](const char* reason) {
    if (why) *why = reason;
    return false;
  };
  if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0)
    return refuse("not a RIFF WAVE file");
  bool haveFormat = false;
  size_t pos = 12;
  while (pos + 8 <= d.size()) {
    const uint32_t size = Le32(d, pos + 4);
    const size_t body = pos + 8;
    const size_t left = d.size() - body;
    if (std::memcmp(&d[pos], "fmt ", 4) == 0) {
      if (size < 16 || size > left) return refuse("format chunk too short or past the end of the file");
      const uint16_t channels = Le16(d, body + 2);
      const uint32_t rate = Le32(d, body + 4);
      const uint16_t blockAlign = Le16(d, body + 12);
      const uint16_t bits = Le16(d, body + 14);
      if (channels == 0 || rate == 0 || blockAlign == 0 || bits == 0)
        return refuse("format chunk names no channels, rate, block or sample size");
      haveFormat = true;
    } else if (std::memcmp(&d[pos], "data", 4) == 0) {
      if (!haveFormat) return refuse("sound data before its format");
      uint32_t held = size;
      if (held > left) held = static_cast<uint32_t>(left);  // cut to what the file holds
      if (held == 0) return refuse("data chunk is empty");
      Put32(d, pos + 4, held);
      d.resize(body + held);
      Put32(d, 4, static_cast<uint32_t>(d.size() - 8));
      return true;
    }
    if (size > left) break;  // another chunk running past the end: nothing follows it
    pos = body + size + (size & 1);
  }
  return refuse(haveFormat ? "no data chunk" : "no format chunk");
}

}  // namespace plat
