// The files in the program folder are exactly what the generator makes, and
// the generator makes the same bytes every time.
#include <algorithm>
#include <set>

#include "data_fixture.h"

namespace datatest {
namespace {

TEST(DataFiles, TheBuildWroteWhatTheGeneratorMakes) {
  const std::vector<datagen::DataFile> files = datagen::GameFiles();
  ASSERT_GT(files.size(), 90u);
  for (const datagen::DataFile& f : files) {
    const std::filesystem::path path = DataDir() / f.path;
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << f.path;
    EXPECT_TRUE(ReadBytes(path) == f.bytes) << f.path << " is not what the generator makes";
  }
}

TEST(DataFiles, SameInputSameBytes) {
  const std::vector<datagen::DataFile> first = datagen::GameFiles();
  const std::vector<datagen::DataFile> second = datagen::GameFiles();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].path, second[i].path);
    EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].path;
  }
}

TEST(DataFiles, EveryFileHasItsOwnPathAndTheLayoutTheProgramExpects) {
  std::set<std::string> paths;
  for (const datagen::DataFile& f : datagen::GameFiles()) EXPECT_TRUE(paths.insert(f.path).second) << f.path;
  for (const char* path : {"enviroment.nfo", "back.jpg", "pioni1.ivx", "pioniup1.ivx", "pioniup2.ivx", "warning.ivx",
                           "pionix.ivx", "trivaneintro.ivx", "Resources/varnix.ivx", "Resources/Pointers/Arrow.cur",
                           "Resources/skin1/colours.dat", "Resources/skin2/Window/upleft.ivx", "Sounds/win.wav"}) {
    EXPECT_EQ(1u, paths.count(path)) << path;
  }
  // Every picture file is a complete "ivx2" text: header, then the end mark.
  for (const datagen::DataFile& f : datagen::GameFiles()) {
    if (f.path.size() < 4 || f.path.substr(f.path.size() - 4) != ".ivx") continue;
    EXPECT_EQ(0u, f.bytes.rfind("*=ivx2*[BK(", 0)) << f.path;
    EXPECT_EQ('}', f.bytes.back()) << f.path;
    EXPECT_NE(std::string::npos, f.bytes.find(")]&")) << f.path;
  }
}

}  // namespace
}  // namespace datatest
