// Text output, the text cursor, measurement against drawn pixels, text modes,
// fonts and the Greek character set.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

const Colour kBlack = MakeColour(0, 0, 0);
const Colour kWhite = MakeColour(255, 255, 255);

using Text = WindowTest;

LOGFONTA SelectedFont() {
  LOGFONTA font{};
  GetObjectA(GetCurrentObject(WindowDC(), OBJ_FONT), sizeof font, &font);
  return font;
}

TEST_F(Text, DefaultsAfterCreation) {
  EXPECT_EQ(kWhite, GetTextColour());
  EXPECT_EQ(kBlack, GetBackColour());
  EXPECT_EQ(TRANSPARENT, GetTextMode());
  EXPECT_EQ(0u, GetDrawColour());
  EXPECT_EQ(0, TextCursorX());
  EXPECT_EQ(0, TextCursorY());
  EXPECT_EQ(kWidth, WindowWidth());
  EXPECT_EQ(kHeight, WindowHeight());
}

TEST_F(Text, WriteLineMovesTheCursorByTheTextHeightPlusOne) {
  SetFontByName("arial", "greek", 16, 0, 0, 0);
  ASSERT_EQ(16, TextHeight("Trivane"));
  SetTextCursor(7, 20);
  WriteLine("Trivane");
  WriteLine("Morris");
  EXPECT_EQ(7, TextCursorX());
  EXPECT_EQ(20 + 34, TextCursorY());
  const Box box = LitBox(kBlack);
  EXPECT_GE(box.left, 7);
  EXPECT_GE(box.top, 20);
  EXPECT_LT(box.bottom, 20 + 34);
  EXPECT_GT(box.bottom, 20 + 17);  // the second line was drawn below the first

  SetTextCursor(0, 100);
  WriteCentred("Centre");
  EXPECT_EQ(100 + TextHeight("Centre") + 1, TextCursorY());
}

TEST_F(Text, DrawnExtentsAgreeWithMeasuredWidthAndHeight) {
  for (int height : {12, 15, 24, 40}) {
    SetFontByName("arial", "ansi", height, 400, 0, 0);
    ClearWindowColour(kBlack);
    const std::string text = "Mill, 9 Men!";
    OutTextXY(10, 10, text);
    const Box box = LitBox(kBlack);
    ASSERT_FALSE(box.Empty()) << height;
    const int width = TextWidth(text);
    EXPECT_GE(box.left, 10) << height;
    EXPECT_LE(box.left, 10 + height / 4) << height;
    EXPECT_LT(box.right, 10 + width) << height;
    EXPECT_GE(box.right, 10 + width - height / 3 - 2) << height;
    EXPECT_GE(box.top, 10) << height;
    EXPECT_LT(box.bottom, 10 + TextHeight(text)) << height;
  }
  // A longer text is wider.
  EXPECT_GT(TextWidth("WWWW"), TextWidth("WW"));
  EXPECT_EQ(0, TextWidth(""));
}

TEST_F(Text, WriteCentredCentresOnTheWindow) {
  SetFontByName("arial", "ansi", 20, 700, 0, 0);
  SetTextCursor(0, 40);
  WriteCentred("MMMMMM");
  const Box box = LitBox(kBlack);
  const int x = kWidth / 2 - TextWidth("MMMMMM") / 2;
  EXPECT_GE(box.left, x);
  EXPECT_LE(box.left, x + 3);
  EXPECT_NEAR(kWidth - 1 - box.right, box.left, 5);
}

TEST_F(Text, TextModeWordsAndOpaqueBackground) {
  SetTextMode("opaque");
  EXPECT_EQ(OPAQUE, GetTextMode());
  SetTextMode("sideways");
  EXPECT_EQ(OPAQUE, GetTextMode());
  SetTextMode("Transparent");
  EXPECT_EQ(TRANSPARENT, GetTextMode());

  SetFontByName("arial", "ansi", 20, 400, 0, 0);
  const Colour blue = MakeColour(0, 0, 255);
  SetBackColour(blue);
  OutTextXY(10, 10, "i");
  EXPECT_EQ(kBlack, ReadPixel(10, 10));  // transparent: the cell stays
  SetTextMode("OPAQUE");
  OutTextXY(10, 50, "i");
  EXPECT_EQ(blue, ReadPixel(10, 50));
  EXPECT_EQ(blue, ReadPixel(10 + TextWidth("i") - 1, 50 + TextHeight("i") - 1));
  EXPECT_EQ(kBlack, ReadPixel(10 + TextWidth("i"), 50));
}

TEST_F(Text, FontRecordFollowsTheWords) {
  SetFontByName("Arial", "Greek", 15, 700, 1, 450);
  LOGFONTA font = SelectedFont();
  EXPECT_STREQ("ARIAL", font.lfFaceName);
  EXPECT_EQ(GREEK_CHARSET, font.lfCharSet);
  EXPECT_EQ(15, font.lfHeight);
  EXPECT_EQ(700, font.lfWeight);
  EXPECT_EQ(1, font.lfItalic);
  EXPECT_EQ(450, font.lfEscapement);
  EXPECT_EQ(450, font.lfOrientation);

  const struct {
    const char* word;
    int charset;
  } words[] = {{"arabic", ARABIC_CHARSET}, {"RUSSIAN", RUSSIAN_CHARSET}, {"ansi", ANSI_CHARSET},
               {"symbol", SYMBOL_CHARSET}, {"latin", DEFAULT_CHARSET},   {"", DEFAULT_CHARSET}};
  for (const auto& w : words) {
    SetFontByName("Liberation Serif", w.word, 15, 0, 2, 0);
    font = SelectedFont();
    EXPECT_EQ(w.charset, font.lfCharSet) << w.word;
    EXPECT_EQ(0, font.lfItalic);  // only 1 means italic
    EXPECT_STREQ("Liberation Serif", font.lfFaceName);
  }

  const std::string longName(40, 'x');
  SetFontByName(longName, "ansi", 15, 0, 0, 0);
  EXPECT_EQ(std::string(31, 'x'), std::string(SelectedFont().lfFaceName));
}

// The same bytes draw different letters in the Greek and the Western sets,
// and Greek capitals that share their shape with Latin ones draw exactly
// those shapes (not a box for a missing glyph).
TEST_F(Text, GreekCharacterSetDrawsGreekLetters) {
  auto picture = [](const std::string& charset, const std::string& text) {
    ClearWindowColour(kBlack);
    SetFontByName("arial", charset, 40, 400, 0, 0);
    OutTextXY(5, 5, text);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 80; ++x) pixels.push_back(ReadPixel(x, y));
    return pixels;
  };
  EXPECT_EQ(picture("ansi", "AO"), picture("greek", "\xC1\xCF"));  // Alpha Omicron
  EXPECT_NE(picture("ansi", "\xD9"), picture("greek", "\xD9"));    // U-grave / Omega
  EXPECT_NE(picture("greek", "\xC3"), picture("greek", "\xC4"));   // Gamma / Delta

  // Omega: one closed bowl over two feet; its top centre is inked, its
  // centre not.
  ClearWindowColour(kBlack);
  SetFontByName("arial", "greek", 60, 400, 0, 0);
  OutTextXY(10, 10, "\xD9");
  const Box box = LitBox(kBlack);
  ASSERT_FALSE(box.Empty());
  const int midX = (box.left + box.right) / 2;
  const int midY = (box.top + box.bottom) / 2;
  EXPECT_NE(kBlack, ReadPixel(midX, box.top + 1));
  EXPECT_EQ(kBlack, ReadPixel(midX, midY));
  EXPECT_NE(kBlack, ReadPixel(box.left + 1, box.bottom));
  EXPECT_NE(kBlack, ReadPixel(box.right - 1, box.bottom));
}

// Reads an 8-bit RGB or RGBA PNG into 0x00BBGGRR colours, row by row.
bool ReadPng(const std::string& path, int* width, int* height, std::vector<COLORREF>* pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  pixels->clear();
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) pixels->push_back(RGB(rgb[i], rgb[i + 1], rgb[i + 2]));
  return true;
}

// Greek text in the game's font against a picture of it that a person has
// looked at: "greek_text.png" beside these tests.  Run with
// VELTOUNIT_UPDATE_REFERENCE=1 to write the picture anew (and look at it).
TEST_F(Text, GreekTextLooksLikeItsReferencePicture) {
  ClearWindowColour(kBlack);
  SetTextColour(kWhite);
  SetFontByName("arial", "greek", 28, 400, 0, 0);
  OutTextXY(5, 5, "\xC3\xE5\xE9\xDC \xF3\xEF\xF5");          // a greeting
  OutTextXY(5, 45, "\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9");  // capitals
  SetFontByName("arial", "greek", 15, 0, 0, 0);
  OutTextXY(5, 90, "\xF9\xF8\xF7\xF6\xF5\xF4\xF3\xF2 \xDC\xDD\xDE\xDF\xFC\xFD\xFE");
  OutTextXY(5, 115, UpperCaseText("\xF0\xE1\xE9\xF7\xED\xE9\xE4\xE9"));

  const std::string reference = std::string(GFX_TEST_DATA) + "/greek_text.png";
  if (std::getenv("VELTOUNIT_UPDATE_REFERENCE") != nullptr) {
    ASSERT_TRUE(automation::SaveWindowPng(reference));
    GTEST_SKIP() << "wrote " << reference;
  }
  int width = 0, height = 0;
  std::vector<COLORREF> expected;
  ASSERT_TRUE(ReadPng(reference, &width, &height, &expected)) << reference;
  ASSERT_EQ(kWidth, width);
  ASSERT_EQ(kHeight, height);
  int different = 0;
  size_t at = 0;  // expected holds the rows top to bottom
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) different += ReadPixel(x, y) != expected[at++];
  EXPECT_EQ(0, different) << "pixels unlike " << reference;
}

}  // namespace
}  // namespace gfxtest
