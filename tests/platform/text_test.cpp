// Text: sizes, extents against drawn pixels, character sets, weight, rotation.
#include <cmath>
#include <cstring>
#include <set>

#include "fixture.h"

namespace {

struct Ink {
  int count = 0;
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
};

class Text : public HeadlessWindow {
 protected:
  static constexpr int kW = kWidth;
  static constexpr int kH = kHeight;

  HFONT Select(const char* face, int height, int charset, int weight = 0, int escapement = 0, bool italic = false,
               BYTE quality = DEFAULT_QUALITY) {
    LOGFONTA lf{};
    lf.lfQuality = quality;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfItalic = italic ? 1 : 0;
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", face);
    HFONT f = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, f);
    if (previous_ != nullptr) DeleteObject(old);
    previous_ = f;
    return f;
  }

  Ink InkOf(COLORREF background = RGB(0, 0, 0)) {
    Ink ink;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        if (GetPixel(dc, x, y) == background) continue;
        ++ink.count;
        ink.minX = std::min(ink.minX, x);
        ink.maxX = std::max(ink.maxX, x);
        ink.minY = std::min(ink.minY, y);
        ink.maxY = std::max(ink.maxY, y);
      }
    return ink;
  }

  std::vector<COLORREF> Picture() {
    std::vector<COLORREF> p;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) p.push_back(GetPixel(dc, x, y));
    return p;
  }

  void SetUp() override {
    HeadlessWindow::SetUp();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
  }

  HGDIOBJ previous_ = nullptr;
};

TEST_F(Text, PositiveHeightIsTheCellNegativeTheCharacter) {
  SIZE cell{}, character{};
  Select("arial", 15, ANSI_CHARSET);
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "Hg", 2, &cell));
  EXPECT_EQ(cell.cy, 15);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmHeight, 15);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, 15);
  Select("arial", -15, ANSI_CHARSET);
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "Hg", 2, &character));
  // The em is 15 pixels: the cell, with its leading, is taller.
  EXPECT_GE(character.cy, 16);
  EXPECT_LE(character.cy, 18);
  EXPECT_GT(character.cx, cell.cx);
}

TEST_F(Text, ArialIsFoundAsAMetricCompatibleFace) {
  Select("arial", -20, ANSI_CHARSET);
  SIZE wide{}, narrow{};
  GetTextExtentPoint32A(dc, "WWWW", 4, &wide);
  GetTextExtentPoint32A(dc, "iiii", 4, &narrow);
  // A proportional sans face with Arial's widths: W is 0.944 em, i 0.222 em.
  EXPECT_NEAR(wide.cx, 4 * 0.944 * 20, 4);
  EXPECT_NEAR(narrow.cx, 4 * 0.222 * 20, 4);
}

TEST_F(Text, ExtentsAgreeWithTheDrawnPixels) {
  Select("arial", 15, GREEK_CHARSET);
  const char* text = "Hello, world";
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size));
  ASSERT_TRUE(TextOutA(dc, 5, 20, text, static_cast<int>(std::strlen(text))));
  Ink ink = InkOf();
  ASSERT_GT(ink.count, 50);
  EXPECT_GE(ink.minX, 5);
  EXPECT_LE(ink.minX, 7);
  EXPECT_LT(ink.maxX, 5 + size.cx);
  EXPECT_GE(ink.maxX, 5 + size.cx - 3);
  EXPECT_GE(ink.minY, 20);
  EXPECT_LT(ink.maxY, 20 + size.cy);

  // Opaque mode fills exactly the measured cell.
  Paint(RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 255));
  TextOutA(dc, 5, 20, text, static_cast<int>(std::strlen(text)));
  Ink cell = InkOf();
  EXPECT_EQ(cell.minX, 5);
  EXPECT_EQ(cell.maxX, 5 + size.cx - 1);
  EXPECT_EQ(cell.minY, 20);
  EXPECT_EQ(cell.maxY, 20 + size.cy - 1);
}

// What GDI reports where a text or a font says nothing: an empty text has
// no extent at all, and an italic font says so with 255.
TEST_F(Text, EmptyTextHasNoExtentAndItalicIs255) {
  Select("Arial", -15, ANSI_CHARSET);
  SIZE size{7, 7};
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "A", 1, &size));
  EXPECT_GT(size.cy, 0);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmItalic, 0);
  Select("Arial", -15, ANSI_CHARSET, 0, 0, true);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmItalic, 255);
}

// The weight of each of GDI's anti-aliasing levels: coverage in sixteenths,
// levels 0 and 1 (below 31 of 255) dropped, 255 (level / 16)^0.43 for the rest.
std::set<int> InkWeights() {
  std::set<int> w{0};
  for (int level = 2; level <= 16; ++level)
    w.insert(static_cast<int>(std::lround(255.0 * std::pow(level / 16.0, 0.43))));
  return w;
}

// Liberation Sans's gasp table marks 9 to 17 pixels a em for drawing without
// grey: texts at lfHeight 15 (a 15-pixel cell) and -15 (a 15-pixel em) come
// out in the text colour alone; at 40 pixels a em the table asks for grey.
TEST_F(Text, SmallSizesFollowTheGaspTable) {
  const char* text = "Place a piece 7+2";
  const int n = static_cast<int>(std::strlen(text));
  for (int height : {15, -15, 12, -17}) {
    Paint(RGB(0, 0, 0));
    Select("Liberation Sans", height, ANSI_CHARSET);
    ASSERT_TRUE(TextOutA(dc, 2, 10, text, n));
    int ink = 0, other = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        ink += c == RGB(255, 255, 255);
        other += c != RGB(255, 255, 255) && c != RGB(0, 0, 0);
      }
    EXPECT_GT(ink, 60) << height;
    EXPECT_EQ(other, 0) << height;
  }
  Paint(RGB(0, 0, 0));
  Select("Liberation Sans", -40, ANSI_CHARSET);
  TextOutA(dc, 2, 10, "Sow", 3);
  int grey = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      grey += c != RGB(255, 255, 255) && c != RGB(0, 0, 0);
    }
  EXPECT_GT(grey, 20);
  // Asked for two colours, a large size has them too.
  Paint(RGB(0, 0, 0));
  Select("Liberation Sans", -40, ANSI_CHARSET, 0, 0, false, NONANTIALIASED_QUALITY);
  TextOutA(dc, 2, 10, "Sow", 3);
  grey = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      grey += c != RGB(255, 255, 255) && c != RGB(0, 0, 0);
    }
  EXPECT_EQ(grey, 0);
}

// Anti-aliased text lays down 15 levels of ink, each with GDI's strong gamma:
// white on black, every pixel is one of those weights (nothing between 0 and
// the lightest, 104), and a coloured text on a coloured ground is the blend of
// the two at one of them.
TEST_F(Text, AntiAliasedInkUsesFifteenGammaLevels) {
  const std::set<int> weights = InkWeights();
  ASSERT_EQ(weights.size(), 16u);
  EXPECT_EQ(*std::next(weights.begin()), 104);
  Select("Liberation Sans", -40, ANSI_CHARSET);
  TextOutA(dc, 2, 10, "Mill&", 5);
  std::set<int> seen;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      ASSERT_EQ(GetRValue(c), GetGValue(c));
      ASSERT_EQ(GetRValue(c), GetBValue(c));
      EXPECT_EQ(weights.count(GetRValue(c)), 1u) << x << "," << y << ": " << int{GetRValue(c)};
      seen.insert(GetRValue(c));
    }
  EXPECT_GE(seen.size(), 8u);  // many levels, not two colours

  const COLORREF ground = RGB(20, 60, 230), ink = RGB(250, 200, 10);
  Paint(ground);
  SetTextColor(dc, ink);
  TextOutA(dc, 2, 10, "Mill&", 5);
  auto blend = [](int fg, int bg, int a) { return (fg * a + bg * (255 - a) + 127) / 255; };
  int touched = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      bool fits = false;
      for (int a : weights)
        fits = fits || (GetRValue(c) == blend(GetRValue(ink), GetRValue(ground), a) &&
                        GetGValue(c) == blend(GetGValue(ink), GetGValue(ground), a) &&
                        GetBValue(c) == blend(GetBValue(ink), GetBValue(ground), a));
      EXPECT_TRUE(fits) << x << "," << y;
      touched += c != ground;
    }
  EXPECT_GT(touched, 100);
}

// The metrics GDI derives from the face's tables (Liberation Sans: 2048 units
// a em, hhea line gap 67 over Windows ascent + descent equal to hhea's,
// advanceWidthMax 2240, PANOSE a sans text face, first character 0x21, no
// default character named).
TEST_F(Text, MetricsFollowTheFontTables) {
  TEXTMETRICA tm{};
  Select("Liberation Sans", -15, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmExternalLeading, 0);               // 67 * 15 / 2048 = 0.49
  EXPECT_EQ(tm.tmMaxCharWidth, 16);                 // 2240 * 15 / 2048 = 16.4
  EXPECT_EQ(tm.tmPitchAndFamily, FF_SWISS | 0x07);  // variable pitch, vector, TrueType
  EXPECT_EQ(tm.tmFirstChar, 30);
  EXPECT_EQ(tm.tmDefaultChar, 31);
  EXPECT_EQ(tm.tmLastChar, 255);
  EXPECT_EQ(tm.tmBreakChar, 32);
  Select("Liberation Sans", -16, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmExternalLeading, 1);  // 0.52
  Select("Liberation Sans", -40, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmExternalLeading, 1);  // 1.31
  EXPECT_EQ(tm.tmMaxCharWidth, 44);    // 43.75
  // A cell height scales by the cell over the Windows ascent + descent (2288).
  Select("Liberation Sans", 30, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmMaxCharWidth, 29);  // 2240 * 30 / 2288 = 29.4
  // A fixed-pitch face (PANOSE proportion monospaced) is modern and says so
  // by leaving the low bit clear; a serif face is roman.  No line gap: none.
  Select("Liberation Mono", -20, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmPitchAndFamily, FF_MODERN | 0x06);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  Select("Liberation Serif", -20, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmPitchAndFamily, FF_ROMAN | 0x07);
  // The fallback face's OS/2 table is of version 1: no default or break
  // character in it, and characters up to 0xFFFF.  The 8-bit range is the
  // same as for the faces that name no default.
  Select("DejaVu Sans", -20, ANSI_CHARSET);
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmFirstChar, 30);
  EXPECT_EQ(tm.tmDefaultChar, 31);
  EXPECT_EQ(tm.tmLastChar, 255);
  EXPECT_EQ(tm.tmBreakChar, 32);
}

TEST_F(Text, GreekCharsetDrawsGreekLetters) {
  // 0xE1 is alpha in Windows-1253, a-acute in 1252 and be in 1251.
  const char alpha[] = "\xE1";
  Select("arial", -40, GREEK_CHARSET);
  TextOutA(dc, 10, 10, alpha, 1);
  std::vector<COLORREF> greek = Picture();
  Ink greekInk = InkOf();
  automation::SaveWindowPng(::testing::TempDir() + "greek_alpha.png");
  Paint(RGB(0, 0, 0));
  Select("arial", -40, ANSI_CHARSET);
  TextOutA(dc, 10, 10, alpha, 1);
  std::vector<COLORREF> latin = Picture();
  Paint(RGB(0, 0, 0));
  Select("arial", -40, RUSSIAN_CHARSET);
  TextOutA(dc, 10, 10, alpha, 1);
  std::vector<COLORREF> cyrillic = Picture();
  EXPECT_GT(greekInk.count, 40);
  EXPECT_NE(greek, latin);
  EXPECT_NE(greek, cyrillic);
  EXPECT_NE(latin, cyrillic);
  // An alpha has no accent above the x-height: its ink starts well below the
  // top of the ascent, where a-acute's accent sits.
  Paint(RGB(0, 0, 0));
  Select("arial", -40, ANSI_CHARSET);
  TextOutA(dc, 10, 10, alpha, 1);
  Ink latinInk = InkOf();
  EXPECT_GT(greekInk.minY, latinInk.minY + 5);

  // A character the code page leaves undefined does not break the line.
  Select("arial", -20, GREEK_CHARSET);
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, "a\xD2z", 3, &size));
  EXPECT_GT(size.cx, 0);
}

TEST_F(Text, GreekWordMatchesTheLettersOneByOne) {
  Select("arial", 15, GREEK_CHARSET);
  const char word[] = "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1";  // Kalimera
  SIZE whole{};
  GetTextExtentPoint32A(dc, word, 8, &whole);
  int sum = 0;
  for (int i = 0; i < 8; ++i) {
    SIZE one{};
    GetTextExtentPoint32A(dc, word + i, 1, &one);
    sum += one.cx;
  }
  EXPECT_EQ(whole.cx, sum);  // whole-pixel advances, no kerning
}

TEST_F(Text, WeightItalicAndEscapementChangeTheGlyphs) {
  Select("arial", -24, ANSI_CHARSET, FW_NORMAL);
  TextOutA(dc, 5, 5, "III", 3);
  int regular = InkOf().count;
  Paint(RGB(0, 0, 0));
  Select("arial", -24, ANSI_CHARSET, FW_BOLD);
  TextOutA(dc, 5, 5, "III", 3);
  EXPECT_GT(InkOf().count, regular + 10);

  Paint(RGB(0, 0, 0));
  Select("arial", -24, ANSI_CHARSET, FW_NORMAL, 0, true);
  TextOutA(dc, 5, 5, "I", 1);
  Ink italic = InkOf();
  EXPECT_GT(italic.maxX - italic.minX, 4);  // a slanted stem spreads sideways

  // Turned a quarter counter-clockwise, text runs upwards from the reference.
  Paint(RGB(0, 0, 0));
  Select("arial", -16, ANSI_CHARSET, FW_NORMAL, 900);
  TextOutA(dc, 30, 75, "Upwards", 7);
  Ink up = InkOf();
  ASSERT_GT(up.count, 20);
  EXPECT_GT(up.maxY - up.minY, 2 * (up.maxX - up.minX));
  EXPECT_LE(up.maxY, 75);
  EXPECT_GE(up.minX, 30);
}

TEST_F(Text, BadArgumentsFailWithoutDrawing) {
  Select("arial", 15, ANSI_CHARSET);
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32A(dc, nullptr, 3, &size));
  EXPECT_FALSE(TextOutA(dc, 0, 0, "abc", -1));
  EXPECT_TRUE(GetTextExtentPoint32A(dc, "", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);  // as GDI: an empty text has no height either
  // An absurd height is kept within what a screen can show.
  Select("arial", INT32_MIN, ANSI_CHARSET);
  EXPECT_TRUE(TextOutA(dc, 0, 0, "x", 1));
  Select("no such face at all", 15, ANSI_CHARSET);
  EXPECT_TRUE(TextOutA(dc, 0, 0, "still drawn", 11));
  EXPECT_GT(InkOf().count, 0);
}

}  // namespace
