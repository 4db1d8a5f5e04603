#include "data_fixture.h"

#include <fstream>
#include <iterator>

namespace datatest {

std::filesystem::path DataDir() { return std::filesystem::path(TRIVANE_DATA_DIR); }

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void DataTest::SetUp() {
  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  ASSERT_EQ(1, veltounit::CreateMainWindow("data test", 500, 500, 0));
  while (automation::PendingMessages() > 0) veltounit::PumpMessages(1);
  ivxfiles::SetBoxHandler([this](const std::string& caption, const std::string& text, unsigned) {
    boxes_.push_back(caption + ": " + text);
  });
  ivxfiles::ResetPictureStore();
  ivxfiles::TransparencyOff();
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(DataDir());
}

void DataTest::TearDown() {
  std::filesystem::current_path(previous_);
  ivxfiles::SetBoxHandler(nullptr);
}

void LoadSkinLikeToolkit(const std::string& skin) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path folder = DataDir() / "Resources" / skin;
  const datagen::SkinFiles files = datagen::MakeSkin(skin);
  int x = 1, y = 1, h = 1;
  for (const datagen::NamedPicture& p : files.pictures) {
    std::filesystem::current_path(p.folder.empty() ? folder : folder / p.folder);
    ivxfiles::SetLoadOrigin(x + 1, y + 1);
    ivxfiles::LoadIvxPicture(p.name);
    h = std::max(h, ivxfiles::PictureMetric(p.name, "SIZEY"));
    x += ivxfiles::PictureMetric(p.name, "SIZEX") + 2;
    if (x >= 1821) {
      x = 1;
      y += h + 2;
    }
  }
  ivxfiles::SetLoadOrigin(1, y + h + 2);
  std::filesystem::current_path(before);
}

datagen::Picture StorePicture(const std::string& name) {
  const int32_t index = ivxfiles::SelectPicture(name);
  datagen::Picture p;
  if (index == 0) return p;
  const int32_t left = ivxfiles::SelectionLeft(), top = ivxfiles::SelectionTop();
  // "sizex" and "sizey" are the offsets of the last column and row.
  p = datagen::MakePicture(ivxfiles::PictureMetric(name, "SIZEX") + 1, ivxfiles::PictureMetric(name, "SIZEY") + 1,
                           {});
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.At(x, y) = PixelOf(ivxfiles::StoreCell(left + 1 + x, top + 1 + y));
  return p;
}

}  // namespace datatest
