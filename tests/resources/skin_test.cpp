// Both skins as the toolkit loads them: every picture in its folder, read by
// the library exactly as drawn; frames that tile to the full window size with
// the close button where the window's close area is; seamless joins; the
// see-through olive only where something should show through; and the two
// settings files in their line format.
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "data_fixture.h"
#include "resources/file_formats.h"

namespace datatest {
namespace {

using datagen::Picture;
using datagen::Pixel;

// The toolkit's 36 pictures, in its loading order, and their folders.
const std::vector<std::pair<std::string, bool>> kSkinTable = {
    {"guiuppercase", false}, {"guilowercase", false}, {"guicontrol", false}, {"wnddn", false},
    {"wndup", false},        {"wndlt", false},        {"wndrt", false},      {"guishift", false},
    {"guialt", false},       {"guiplus", false},      {"btns1", false},      {"btns2", false},
    {"btns3", false},        {"chks1", false},        {"chks2", false},      {"chks3", false},
    {"downleft", true},      {"downmiddle", true},    {"downright", true},   {"middleleft", true},
    {"middleright", true},   {"upleft", true},        {"upmiddle2", true},   {"upmiddle", true},
    {"upright", true},       {"uptransection", true}, {"btnminimize", true}, {"btnmaximize", true},
    {"btnexit", true},       {"up2middle", true},     {"middle2left", true}, {"up2transection", true},
    {"down2left", true},     {"up2left", true},       {"gr", false},         {"uk", false}};

class SkinTest : public DataTest, public ::testing::WithParamInterface<std::string> {};

int Size(const std::string& name, const char* word) { return ivxfiles::PictureMetric(name, word); }

TEST_P(SkinTest, AllThirtySixPicturesAreWhereTheToolkitLooks) {
  const std::filesystem::path skin = DataDir() / "Resources" / GetParam();
  for (const auto& [name, inWindow] : kSkinTable) {
    const std::filesystem::path file = (inWindow ? skin / "Window" : skin) / (name + ".ivx");
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
  }
  const datagen::SkinFiles made = datagen::MakeSkin(GetParam());
  ASSERT_EQ(kSkinTable.size(), made.pictures.size());
  for (size_t i = 0; i < kSkinTable.size(); ++i) {
    EXPECT_EQ(kSkinTable[i].first, made.pictures[i].name);
    EXPECT_EQ(kSkinTable[i].second ? "Window" : "", made.pictures[i].folder);
  }
}

TEST_P(SkinTest, EveryPictureReadsBackAsDrawn) {
  LoadSkinLikeToolkit(GetParam());
  EXPECT_TRUE(boxes_.empty()) << (boxes_.empty() ? "" : boxes_.front());
  for (const datagen::NamedPicture& p : datagen::MakeSkin(GetParam()).pictures) {
    const Picture read = StorePicture(p.name);
    ASSERT_EQ(p.picture.width, read.width) << p.name;
    ASSERT_EQ(p.picture.height, read.height) << p.name;
    EXPECT_TRUE(p.picture.pixels == read.pixels) << p.name << " differs from what was drawn";
  }
}

// The window frame of the drawing routine, computed from the loaded sizes.
struct Frame {
  int fw, fh, n, b, k, m, d;
  int exitX;  // where the close button is drawn, relative to the window's x
};

Frame Layout(int w, int h, bool active) {
  const std::string L = active ? "upleft" : "up2left", T = active ? "upmiddle" : "up2middle";
  const std::string X = active ? "uptransection" : "up2transection", ML = active ? "middleleft" : "middle2left";
  const std::string BL = active ? "downleft" : "down2left";
  Frame f{};
  const int strip = Size("upmiddle2", "SIZEX");
  f.b = (Size("btnminimize", "SIZEX") + Size("btnmaximize", "SIZEX") + Size("btnexit", "SIZEX")) / strip + 3;
  const int tw = w - Size(L, "SIZEX") - Size(X, "SIZEX") - Size("upright", "SIZEX") - f.b * strip;
  f.n = tw / Size(T, "SIZEX");
  const int eh = h - Size("upright", "SIZEY") - Size("downright", "SIZEY");
  f.k = eh / Size("middleright", "SIZEY");
  f.m = (eh - Size(BL, "SIZEY")) / Size(ML, "SIZEY") + 3;
  f.fw = Size(L, "SIZEX") + f.n * Size(T, "SIZEX") + Size(X, "SIZEX") + f.b * strip + Size("upright", "SIZEX");
  f.fh = Size("upright", "SIZEY") + f.k * Size("middleright", "SIZEY") + Size("downright", "SIZEY");
  f.d = (f.fw - Size(BL, "SIZEX") - Size("downright", "SIZEX")) / Size("downmiddle", "SIZEX");
  f.exitX = Size(L, "SIZEX") + f.n * Size(T, "SIZEX") + Size(X, "SIZEX") + 2 + Size("btnminimize", "SIZEX") + 2 +
            Size("btnmaximize", "SIZEX") + 2;
  return f;
}

TEST_P(SkinTest, FramesTileToTheWholeWindowAtEverySize) {
  LoadSkinLikeToolkit(GetParam());
  for (bool active : {true, false}) {
    const std::string ML = active ? "middleleft" : "middle2left", L = active ? "upleft" : "up2left";
    const std::string BL = active ? "downleft" : "down2left";
    for (int w = 160; w <= 900; w += 7) {
      for (int h = 90; h <= 700; h += 23) {
        const Frame f = Layout(w, h, active);
        ASSERT_EQ(w, f.fw) << "width " << w;
        ASSERT_EQ(h, f.fh) << "height " << h;
        // Bottom tiles close the gap between the two bottom corners exactly.
        ASSERT_EQ(f.fw, Size(BL, "SIZEX") + f.d * Size("downmiddle", "SIZEX") + Size("downright", "SIZEX"));
        // The left edge tiles reach the bottom corner and stop inside the
        // frame.  Tile i, drawn at y + height of L + i x height of ML, covers
        // rows up to that + height of ML + 1 (a picture is one row taller than
        // its "sizey"); the corner covers rows from y + fh - its height + 1
        // to y + fh + 1.
        const int leftLastRow = Size(L, "SIZEY") + f.m * Size(ML, "SIZEY") + 1;
        ASSERT_GE(leftLastRow + 1, f.fh - Size(BL, "SIZEY") + 1) << "gap above the bottom corner, height " << h;
        ASSERT_LE(leftLastRow, f.fh + 1) << "left edge below the frame, height " << h;
        // The close button is drawn where the window's close area is made:
        // from x2 - width of "upright" - width of "btnexit".
        ASSERT_EQ(w - Size("upright", "SIZEX") - Size("btnexit", "SIZEX"), f.exitX) << "width " << w;
      }
    }
  }
}

TEST_P(SkinTest, TitleBarSitsAboveTheGameBackground) {
  LoadSkinLikeToolkit(GetParam());
  // The game's frame is drawn at y = 1 and its background picture starts at
  // y = 29: the bar's rows are window rows 2 .. 29.
  for (const char* name :
       {"upleft", "upmiddle", "uptransection", "upmiddle2", "upright", "up2left", "up2middle", "up2transection"}) {
    EXPECT_EQ(28, StorePicture(name).height) << name;
  }
  // The three buttons share one height and fit the bar with a margin.
  const int bh = Size("btnexit", "SIZEY");
  EXPECT_EQ(bh, Size("btnminimize", "SIZEY"));
  EXPECT_EQ(bh, Size("btnmaximize", "SIZEY"));
  EXPECT_LE(bh + 6, Size("upmiddle2", "SIZEY"));
}

// Columns and rows that meet when the frame is tiled must be identical.
TEST_P(SkinTest, TilesJoinWithoutSeams) {
  LoadSkinLikeToolkit(GetParam());
  auto column = [](const Picture& p, int x) {
    std::vector<Pixel> c;
    for (int y = 0; y < p.height; ++y) c.push_back(p.At(x, y));
    return c;
  };
  auto row = [](const Picture& p, int y) {
    std::vector<Pixel> r;
    for (int x = 0; x < p.width; ++x) r.push_back(p.At(x, y));
    return r;
  };
  for (bool active : {true, false}) {
    const Picture L = StorePicture(active ? "upleft" : "up2left");
    const Picture T = StorePicture(active ? "upmiddle" : "up2middle");
    const Picture X = StorePicture(active ? "uptransection" : "up2transection");
    const Picture ML = StorePicture(active ? "middleleft" : "middle2left");
    const Picture BL = StorePicture(active ? "downleft" : "down2left");
    const Picture S = StorePicture("upmiddle2"), R = StorePicture("upright");
    EXPECT_EQ(column(L, L.width - 1), column(T, 0)) << "left end to title, active " << active;
    EXPECT_EQ(column(T, 0), column(X, 0)) << "title to join";
    EXPECT_EQ(column(X, X.width - 1), column(S, 0)) << "join to button strip";
    EXPECT_EQ(column(S, S.width - 1), column(R, 0)) << "button strip to right end";
    EXPECT_EQ(column(S, 0), column(S, S.width - 1)) << "button strip repeats";
    EXPECT_EQ(column(T, 0), column(T, T.width - 1)) << "title repeats";
    EXPECT_EQ(row(ML, 0), row(ML, ML.height - 1)) << "left edge repeats";
    EXPECT_EQ(row(ML, 0), row(BL, 0)) << "left edge into bottom corner";
  }
  const Picture MR = StorePicture("middleright"), BR = StorePicture("downright"), DM = StorePicture("downmiddle");
  EXPECT_EQ(row(MR, 0), row(BR, 0));
  EXPECT_EQ(row(MR, 0), row(MR, MR.height - 1));
  EXPECT_EQ(column(DM, 0), column(DM, DM.width - 1));
  EXPECT_EQ(column(DM, 0), column(StorePicture("downleft"), StorePicture("downleft").width - 1));
  EXPECT_EQ(column(DM, 0), column(BR, 0));
}

TEST_P(SkinTest, SeeThroughOnlyAtRoundedCornersAndAroundShapes) {
  LoadSkinLikeToolkit(GetParam());
  auto olive = [](const Picture& p, int x, int y) { return p.At(x, y) == datagen::kSeeThrough; };
  // Tiles are solid: a hole would repeat all along the frame.
  for (const char* name : {"upmiddle", "up2middle", "upmiddle2", "uptransection", "up2transection", "middleleft",
                           "middle2left", "middleright", "downmiddle", "gr", "uk"}) {
    const Picture p = StorePicture(name);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) ASSERT_FALSE(olive(p, x, y)) << name << " " << x << "," << y;
  }
  // Rounded outer corners let the desktop through; their inner side is solid.
  const Picture upleft = StorePicture("upleft"), upright = StorePicture("upright");
  const Picture downleft = StorePicture("downleft"), downright = StorePicture("downright");
  EXPECT_TRUE(olive(upleft, 0, 0));
  EXPECT_FALSE(olive(upleft, upleft.width - 1, upleft.height - 1));
  EXPECT_TRUE(olive(upright, upright.width - 1, 0));
  EXPECT_FALSE(olive(upright, 0, upright.height - 1));
  EXPECT_TRUE(olive(downleft, 0, downleft.height - 1));
  EXPECT_FALSE(olive(downleft, downleft.width - 1, 0));
  EXPECT_TRUE(olive(downright, downright.width - 1, downright.height - 1));
  EXPECT_FALSE(olive(downright, 0, 0));
  // Round controls: see-through corners, solid middles.
  for (const char* name : {"btns1", "btns2", "btns3", "chks1", "chks2", "chks3", "btnexit", "guishift"}) {
    const Picture p = StorePicture(name);
    EXPECT_TRUE(olive(p, 0, 0)) << name;
    EXPECT_TRUE(olive(p, p.width - 1, p.height - 1)) << name;
    EXPECT_FALSE(olive(p, p.width / 2, p.height / 2)) << name;
  }
}

TEST_P(SkinTest, ButtonsAndCheckBoxesShowThreeDistinctStates) {
  LoadSkinLikeToolkit(GetParam());
  for (const std::string base : {"btns", "chks"}) {
    const Picture s1 = StorePicture(base + "1"), s2 = StorePicture(base + "2"), s3 = StorePicture(base + "3");
    EXPECT_EQ(s1.width, s2.width);
    EXPECT_EQ(s1.width, s3.width);
    EXPECT_EQ(s1.height, s3.height);
    EXPECT_FALSE(s1.pixels == s2.pixels) << base;
    EXPECT_FALSE(s1.pixels == s3.pixels) << base;
    EXPECT_FALSE(s2.pixels == s3.pixels) << base;
  }
  // The language flags fit the place the toolkit draws them, 40 pixels from
  // the right edge and 20 from the bottom, and are told apart.
  for (const char* flag : {"gr", "uk"}) {
    // Drawn at (width - 40, height - 20): cells up to height - 20 + sizey + 1.
    EXPECT_LE(Size(flag, "SIZEX"), 38) << flag;
    EXPECT_LE(Size(flag, "SIZEY"), 18) << flag;
  }
  EXPECT_FALSE(StorePicture("gr").pixels == StorePicture("uk").pixels);
}

// Reads "Key(r,g,b)" lines the way the toolkit's line splitter cuts them.
std::map<std::string, std::vector<int>> SettingLines(const std::string& text,
                                                     std::vector<std::string>* order = nullptr) {
  std::map<std::string, std::vector<int>> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> parts(1);
    for (char ch : line) {
      if (ch == '(' || ch == ')' || ch == ',' || ch == '.') parts.emplace_back();
      else parts.back() += ch;
    }
    // Numbers only; a text value such as a skin name is left out.
    std::vector<int> numbers;
    for (size_t i = 1; i < parts.size(); ++i) {
      if (parts[i].empty() || parts[i].find_first_not_of("0123456789") != std::string::npos) continue;
      numbers.push_back(std::stoi(parts[i]));
    }
    if (order) order->push_back(parts[0]);
    out[parts[0]] = numbers;
  }
  return out;
}

TEST_P(SkinTest, ColoursAndMetricsFilesUseTheToolkitsKeys) {
  const std::filesystem::path skin = DataDir() / "Resources" / GetParam();
  const auto colours = SettingLines(ReadBytes(skin / "colours.dat"));
  const std::set<std::string> keys = {"Window_Background",
                                      "Window_Background_Inactive",
                                      "Window_Border",
                                      "Window_Title",
                                      "Menu_Active",
                                      "Menu_Active_Text",
                                      "Textbox_Out",
                                      "Textbox_In",
                                      "Textbox_Text",
                                      "Textbox_Suggestion",
                                      "Comments",
                                      "Button",
                                      "Button_Text",
                                      "Button_Active_Text",
                                      "Button_Activated_Text",
                                      "ProgressBar"};
  EXPECT_EQ(keys.size(), colours.size());
  const std::string text = ReadBytes(skin / "colours.dat");
  EXPECT_EQ(std::string::npos,
            text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_0123456789(),\n"));
  for (const auto& [key, numbers] : colours) {
    EXPECT_TRUE(keys.count(key)) << key;
    ASSERT_EQ(3u, numbers.size()) << key;
    for (int v : numbers) EXPECT_TRUE(v >= 0 && v <= 255) << key;
  }
  const auto metrics = SettingLines(ReadBytes(skin / "metrics.dat"));
  ASSERT_EQ(1u, metrics.count("Textbox_Size"));
  EXPECT_EQ(std::vector<int>{2}, metrics.at("Textbox_Size"));
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinTest, ::testing::Values("skin1", "skin2"));

TEST(Skins, TheSecondSkinIsDarkAndTheFirstLight) {
  auto body = [](const std::string& skin) {
    const auto c = SettingLines(ReadBytes(DataDir() / "Resources" / skin / "colours.dat"));
    const std::vector<int>& v = c.at("Window_Background");
    return Luminance(Pixel{uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2])});
  };
  EXPECT_GT(body("skin1"), 180);
  EXPECT_LT(body("skin2"), 80);
  // Both skins' text boxes keep their text readable on their own fill.
  for (const char* skin : {"skin1", "skin2"}) {
    const auto c = SettingLines(ReadBytes(DataDir() / "Resources" / skin / "colours.dat"));
    auto lum = [&](const char* key) {
      const std::vector<int>& v = c.at(key);
      return Luminance(Pixel{uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2])});
    };
    EXPECT_GT(std::abs(lum("Textbox_Text") - lum("Textbox_In")), 120) << skin;
  }
}

TEST(Skins, SettingsFileNamesTheDefaultSkinAndOnlyKnownKeys) {
  std::vector<std::string> order;
  const auto lines = SettingLines(ReadBytes(DataDir() / "enviroment.nfo"), &order);
  ASSERT_FALSE(order.empty());
  // The reader stops at the first line whose key it does not know.
  for (const std::string& key : order) EXPECT_TRUE(key == "skin" || key == "screensaver_time") << key;
  const std::string text = ReadBytes(DataDir() / "enviroment.nfo");
  EXPECT_EQ(0u, text.rfind("skin(skin1)\n", 0));
  EXPECT_TRUE(std::filesystem::is_directory(DataDir() / "Resources" / "skin1" / "Window"));
  EXPECT_EQ(std::vector<int>{5}, lines.at("screensaver_time"));
}

}  // namespace
}  // namespace datatest
