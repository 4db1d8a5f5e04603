// The six sounds: plain 16-bit PCM wave files the platform plays, short,
// audible without clipping, starting and ending in silence, each its own.
#include <cstring>
#include <set>

#include "data_fixture.h"

namespace datatest {
namespace {

const char* const kSounds[] = {"place.wav", "slide.wav", "take.wav", "deny.wav", "win.wav", "buzzer.wav"};

uint32_t Le32(const std::string& s, size_t at) {
  return uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8) | (uint8_t(s[at + 2]) << 16) |
         (uint32_t(uint8_t(s[at + 3])) << 24);
}
uint16_t Le16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8)); }

struct Wave {
  uint16_t format = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  std::vector<int16_t> samples;
};

// Walks the chunks of a RIFF wave file; fails the test on any bad length.
Wave ReadWave(const std::string& bytes, const std::string& name) {
  Wave w;
  EXPECT_GE(bytes.size(), 44u) << name;
  if (bytes.size() < 12) return w;
  EXPECT_EQ("RIFF", bytes.substr(0, 4)) << name;
  EXPECT_EQ("WAVE", bytes.substr(8, 4)) << name;
  EXPECT_EQ(bytes.size() - 8, Le32(bytes, 4)) << name << ": RIFF length";
  size_t at = 12;
  bool haveFormat = false, haveData = false;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = Le32(bytes, at + 4);
    EXPECT_LE(at + 8 + size, bytes.size()) << name << ": chunk " << id << " runs past the end";
    if (at + 8 + size > bytes.size()) break;
    if (id == "fmt ") {
      haveFormat = true;
      w.format = Le16(bytes, at + 8);
      w.channels = Le16(bytes, at + 10);
      w.rate = Le32(bytes, at + 12);
      EXPECT_EQ(w.rate * 2, Le32(bytes, at + 16)) << name << ": byte rate";
      EXPECT_EQ(2, Le16(bytes, at + 20)) << name << ": block align";
      w.bits = Le16(bytes, at + 22);
    } else if (id == "data") {
      haveData = true;
      EXPECT_EQ(0u, size % 2) << name;
      w.samples.resize(size / 2);
      std::memcpy(w.samples.data(), bytes.data() + at + 8, size - size % 2);
    }
    at += 8 + size + (size & 1);
  }
  EXPECT_TRUE(haveFormat && haveData) << name;
  return w;
}

TEST(Sounds, EveryFileIsAShortClearMonoPcmWave) {
  std::set<size_t> lengths;
  for (const char* name : kSounds) {
    const Wave w = ReadWave(ReadBytes(DataDir() / "Sounds" / name), name);
    EXPECT_EQ(1, w.format) << name;
    EXPECT_EQ(1, w.channels) << name;
    EXPECT_EQ(16, w.bits) << name;
    EXPECT_EQ(22050u, w.rate) << name;
    ASSERT_FALSE(w.samples.empty()) << name;
    const double seconds = double(w.samples.size()) / w.rate;
    EXPECT_GE(seconds, 0.1) << name;
    EXPECT_LE(seconds, 1.5) << name;
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 12000) << name << " is too quiet";
    EXPECT_LT(peak, 32767) << name << " clips";
    // No click at either end.
    EXPECT_LT(std::abs(int(w.samples.front())), 200) << name;
    EXPECT_LT(std::abs(int(w.samples.back())), 200) << name;
    lengths.insert(w.samples.size());
  }
  // Told apart by ear: here at least by length.
  EXPECT_EQ(std::size(kSounds), lengths.size());
}

TEST(Sounds, TheWinSoundIsTheLongestAndThePlacementTheShortest) {
  size_t longest = 0, shortest = SIZE_MAX;
  std::string longName, shortName;
  for (const char* name : kSounds) {
    const size_t n = ReadWave(ReadBytes(DataDir() / "Sounds" / name), name).samples.size();
    if (n > longest) longest = n, longName = name;
    if (n < shortest) shortest = n, shortName = name;
  }
  EXPECT_EQ("win.wav", longName);
  EXPECT_EQ("place.wav", shortName);
}

class SoundPlayTest : public DataTest {};

TEST_F(SoundPlayTest, ThePlatformDecodesEverySoundByItsProgramName) {
  automation::ClearSounds();
  for (const char* name : kSounds) {
    const std::string programName = std::string("Sounds\\") + name;
    EXPECT_TRUE(PlaySoundA(programName.c_str(), nullptr, SND_FILENAME | SND_ASYNC)) << name;
  }
  ASSERT_EQ(std::size(kSounds), automation::Sounds().size());
  for (const automation::SoundRecord& r : automation::Sounds()) EXPECT_TRUE(r.played) << r.name;
}

}  // namespace
}  // namespace datatest
