// Fonts and text: faces found by fontconfig from the LOGFONT's face name,
// weight and slant, glyphs drawn by FreeType, and the 8-bit text converted from
// the code page its character set names.  Sizes follow Windows: a positive
// lfHeight is the cell height (ascent + descent), a negative one the character
// height (the em size), both in pixels; lfEscapement turns the text in tenths
// of a degree counter-clockwise.  Measuring and drawing share one layout, so
// GetTextExtentPoint32A always agrees with what TextOutA covers.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "platform/state.h"

namespace plat {

namespace {

struct FaceEntry {
  FT_Face face = nullptr;
  bool emboldenNeeded = false;
  bool obliqueNeeded = false;
};

}  // namespace

// The text's part of the state record, kept for the whole process.
struct FontCache {
  FT_Library ft = nullptr;
  bool failed = false;
  bool releaseRegistered = false;
  std::map<std::string, FaceEntry> faces;    // by request key
  std::map<std::string, FT_Face> faceFiles;  // by file path and index
  std::map<int, iconv_t> converters;         // by character set
};

namespace {

FontCache& Fonts() {
  std::shared_ptr<FontCache>& fonts = State().devices.fonts;
  if (!fonts) fonts = std::make_shared<FontCache>();
  return *fonts;
}

// Faces and converters live as long as the process; they are handed back at
// exit so leak checkers see a clean end.
void ReleaseAll() {
  for (auto& [charset, cd] : Fonts().converters)
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  Fonts().converters.clear();
  for (auto& [file, face] : Fonts().faceFiles) FT_Done_Face(face);
  Fonts().faceFiles.clear();
  Fonts().faces.clear();
  if (Fonts().ft != nullptr) {
    FT_Done_FreeType(Fonts().ft);
    Fonts().ft = nullptr;
    FcFini();
  }
}

void RegisterRelease() {
  if (!Fonts().releaseRegistered) {
    Fonts().releaseRegistered = true;
    std::atexit(ReleaseAll);
  }
}

bool EnsureFreeType() {
  if (Fonts().ft != nullptr) return true;
  if (Fonts().failed) return false;
  if (FT_Init_FreeType(&Fonts().ft) != 0) {
    Fonts().failed = true;
    Fonts().ft = nullptr;
    return false;
  }
  FcInit();
  RegisterRelease();
  return true;
}

std::string Trimmed(const char* name) {
  std::string s(name, strnlen(name, LF_FACESIZE));
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
  size_t start = 0;
  while (start < s.size() && std::isspace(static_cast<unsigned char>(s[start]))) ++start;
  return s.substr(start);
}

FaceEntry* Resolve(const LOGFONTA& lf) {
  if (!EnsureFreeType()) return nullptr;
  std::string family = Trimmed(lf.lfFaceName);
  if (family.empty()) {
    // No face name: the pitch and family bits pick the kind of face.
    int fam = lf.lfPitchAndFamily & 0xF0;
    family = (lf.lfPitchAndFamily & 3) == FIXED_PITCH || fam == FF_MODERN ? "monospace"
             : fam == FF_ROMAN                                            ? "serif"
                                                                          : "sans-serif";
  }
  int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
  bool italic = lf.lfItalic != 0;
  std::string key = Lower(family) + "|" + std::to_string(weight) + "|" + (italic ? "i" : "r");
  auto found = Fonts().faces.find(key);
  if (found != Fonts().faces.end()) return found->second.face ? &found->second : nullptr;

  FaceEntry entry;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, static_cast<int>(FcWeightFromOpenType(weight)));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match != nullptr) {
    FcChar8* file = nullptr;
    int index = 0, gotWeight = FC_WEIGHT_REGULAR, gotSlant = FC_SLANT_ROMAN;
    FcPatternGetString(match, FC_FILE, 0, &file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &gotWeight);
    FcPatternGetInteger(match, FC_SLANT, 0, &gotSlant);
    if (file != nullptr) {
      std::string fileKey = std::string(reinterpret_cast<char*>(file)) + "#" + std::to_string(index);
      FT_Face face = nullptr;
      auto f = Fonts().faceFiles.find(fileKey);
      if (f != Fonts().faceFiles.end()) {
        face = f->second;
      } else if (FT_New_Face(Fonts().ft, reinterpret_cast<char*>(file), index, &face) == 0) {
        Fonts().faceFiles[fileKey] = face;
      } else {
        face = nullptr;
      }
      entry.face = face;
      // Windows makes bold and italic itself when the family lacks them.
      entry.emboldenNeeded = weight >= FW_SEMIBOLD && gotWeight < FC_WEIGHT_DEMIBOLD;
      entry.obliqueNeeded = italic && gotSlant == FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
  }
  Fonts().faces[key] = entry;
  return entry.face ? &Fonts().faces[key] : nullptr;
}

struct Metrics {
  double ppemY = 16;
  double ppemX = 16;
  int ascent = 0;
  int descent = 0;
};

Metrics Measure(const FaceEntry& fe, const LOGFONTA& lf) {
  FT_Face face = fe.face;
  double em = face->units_per_EM ? face->units_per_EM : 2048;
  double up = face->ascender, down = -face->descender;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    up = os2->usWinAscent;
    down = os2->usWinDescent;
  }
  if (up + down <= 0) {
    up = em * 0.9;
    down = em * 0.2;
  }
  // 0 asks for the default size: a 16-pixel cell.  Sizes are kept within
  // what a screen can show.
  long long h = lf.lfHeight == 0 ? 16 : lf.lfHeight;
  Metrics m;
  if (h > 0) {
    long long cell = std::min<long long>(h, 4096);
    m.ppemY = static_cast<double>(cell) * em / static_cast<double>(up + down);
    m.ascent = static_cast<int>(
        std::lround(static_cast<double>(cell) * static_cast<double>(up) / static_cast<double>(up + down)));
    m.descent = static_cast<int>(cell) - m.ascent;
  } else {
    m.ppemY = static_cast<double>(std::min<long long>(-h, 4096));
    m.ascent = static_cast<int>(std::lround(up * m.ppemY / em));
    m.descent = static_cast<int>(std::lround(down * m.ppemY / em));
  }
  m.ppemY = std::max(m.ppemY, 1.0);
  m.ppemX = m.ppemY;
  if (lf.lfWidth > 0 && os2 != nullptr && os2->xAvgCharWidth > 0)
    m.ppemX = std::clamp(std::min<double>(lf.lfWidth, 4096) * em / os2->xAvgCharWidth, 1.0, 4096.0);
  return m;
}

const char* CodePage(int charset) {
  switch (charset) {
    case GREEK_CHARSET: return "CP1253";
    case RUSSIAN_CHARSET: return "CP1251";
    case ARABIC_CHARSET: return "CP1256";
    case HEBREW_CHARSET: return "CP1255";
    case TURKISH_CHARSET: return "CP1254";
    case BALTIC_CHARSET: return "CP1257";
    case VIETNAMESE_CHARSET: return "CP1258";
    case EASTEUROPE_CHARSET: return "CP1250";
    case THAI_CHARSET: return "CP874";
    case OEM_CHARSET: return "CP437";
    case MAC_CHARSET: return "MACINTOSH";
    case SHIFTJIS_CHARSET: return "CP932";
    case HANGUL_CHARSET: return "CP949";
    case GB2312_CHARSET: return "CP936";
    case CHINESEBIG5_CHARSET: return "BIG5";
    // ANSI, DEFAULT and SYMBOL texts are read as Windows-1252.
    default: return "CP1252";
  }
}

void Blend(Surface& s, long x, long y, uint32_t colour, int alpha) {
  if (alpha <= 0 || x < 0 || y < 0 || x >= s.width || y >= s.height) return;
  uint32_t& d = s.Row(static_cast<int>(y))[x];
  if (alpha >= 255) {
    d = colour;
    return;
  }
  const auto a = static_cast<uint32_t>(alpha);
  auto mix = [a](uint32_t fg, uint32_t bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
  uint32_t r = mix((colour >> 16) & 0xFF, (d >> 16) & 0xFF);
  uint32_t g = mix((colour >> 8) & 0xFF, (d >> 8) & 0xFF);
  uint32_t b = mix(colour & 0xFF, d & 0xFF);
  d = (r << 16) | (g << 8) | b;
}

// Anti-aliased ink as GDI lays it down: a pixel's coverage is counted in
// sixteenths, and less than two of them (coverage below 31 of 255) leaves the
// pixel alone, so 15 levels remain (2 to 16).  Each level is weighted with a
// strong gamma, 255 (level / 16)^0.43, which makes thin strokes darker than a
// linear blend would: level 2 already gives 104 of 255.
int InkAlpha(int coverage) {
  static const std::array<int, 17> kWeights = [] {
    std::array<int, 17> w{};
    for (size_t level = 0; level < w.size(); ++level)
      w[level] = static_cast<int>(std::lround(255.0 * std::pow(static_cast<double>(level) / 16.0, 0.43)));
    return w;
  }();
  if (coverage < 31) return 0;
  const int level = std::min((coverage * 16 + 127) / 255, 16);
  return kWeights[static_cast<size_t>(level)];
}

// Whether the face is drawn in two colours at this size.  GDI follows the
// font's gasp table: a size the table does not mark for grey drawing is drawn
// without anti-aliasing (Liberation Sans asks for that from 9 to 17 pixels a
// em, the sizes of the game's texts; its bold from 9 to 10).  A face
// without the table is anti-aliased at every size; NONANTIALIASED_QUALITY
// asks for two colours whatever the table says.
bool DrawnInTwoColours(FT_Face face, const LOGFONTA& lf, double ppem) {
  if (lf.lfQuality == NONANTIALIASED_QUALITY) return true;
  const FT_Int flags = FT_Get_Gasp(face, static_cast<FT_UInt>(std::lround(ppem)));
  if (flags == FT_GASP_NO_TABLE) return false;
  return (flags & FT_GASP_DO_GRAY) == 0;
}

}  // namespace

std::vector<uint32_t> DecodeCharset(const char* text, int length, int charset) {
  std::vector<uint32_t> out;
  if (text == nullptr || length <= 0) return out;
  iconv_t cd;
  auto it = Fonts().converters.find(charset);
  if (it != Fonts().converters.end()) {
    cd = it->second;
  } else {
    RegisterRelease();
    cd = iconv_open("UTF-32LE", CodePage(charset));
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-32LE", "CP1252");
    Fonts().converters[charset] = cd;
  }
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (int i = 0; i < length; ++i) out.push_back(static_cast<unsigned char>(text[i]));
    return out;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> input(text, text + length);
  char* in = input.data();
  size_t inLeft = input.size();
  std::vector<char> buffer(input.size() * 4 + 16);
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    size_t produced = buffer.size() - outLeft;
    for (size_t i = 0; i + 3 < produced; i += 4) {
      auto b = reinterpret_cast<unsigned char*>(buffer.data() + i);
      out.push_back(uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24));
    }
    if (r == static_cast<size_t>(-1) && inLeft > 0) {
      // A byte the code page leaves undefined shows as the replacement mark.
      out.push_back(0xFFFD);
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::string Utf8FromCodePoints(const std::vector<uint32_t>& cps) {
  std::string s;
  for (uint32_t c : cps) {
    if (c < 0x80) {
      s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      s.push_back(static_cast<char>(0xC0 | (c >> 6)));
      s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      s.push_back(static_cast<char>(0xE0 | (c >> 12)));
      s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      s.push_back(static_cast<char>(0xF0 | (c >> 18)));
      s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return s;
}

bool DrawText8(Surface* s, const TextStyle& style, const char* text, int length, SIZE* extent) {
  const LOGFONTA& lf = *style.font;
  FaceEntry* fe = Resolve(lf);
  if (fe == nullptr) return false;
  FT_Face face = fe->face;
  Metrics m = Measure(*fe, lf);
  FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(m.ppemX * 64)),
                   static_cast<FT_F26Dot6>(std::lround(m.ppemY * 64)), 72, 72);
  const bool mono = DrawnInTwoColours(face, lf, m.ppemY);
  FT_Int32 loadFlags = FT_LOAD_DEFAULT | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  std::vector<uint32_t> cps = DecodeCharset(text, length, lf.lfCharSet);
  int height = m.ascent + m.descent;

  // Layout: whole-pixel advances, as GDI places characters.
  std::vector<FT_UInt> glyphs;
  std::vector<long> positions;
  long pen = 0;
  for (uint32_t cp : cps) {
    FT_UInt g = FT_Get_Char_Index(face, cp);
    if (g == 0 && lf.lfCharSet == SYMBOL_CHARSET) g = FT_Get_Char_Index(face, 0xF000 + (cp & 0xFF));
    glyphs.push_back(g);
    positions.push_back(pen);
    long advance = 0;
    if (FT_Load_Glyph(face, g, loadFlags) == 0) advance = (face->glyph->advance.x + 32) >> 6;
    if (fe->emboldenNeeded) advance += 1;
    pen += advance;
  }
  // An empty text has no extent at all, not even a line's height.
  if (extent != nullptr) *extent = cps.empty() ? SIZE{0, 0} : SIZE{static_cast<LONG>(pen), height};
  if (s == nullptr) return true;

  double angle = (lf.lfEscapement % 3600) * 3.14159265358979323846 / 1800.0;
  bool turned = lf.lfEscapement % 3600 != 0;
  double ux = std::cos(angle), uy = -std::sin(angle);  // along the text, on screen
  double vx = std::sin(angle), vy = std::cos(angle);   // down the text
  double ox = style.x, oy = style.y;
  UINT horizontal = style.align & (TA_CENTER | TA_RIGHT);
  if (horizontal == TA_CENTER) {
    ox -= ux * (static_cast<double>(pen) / 2.0);
    oy -= uy * (static_cast<double>(pen) / 2.0);
  } else if (horizontal == TA_RIGHT) {
    ox -= ux * static_cast<double>(pen);
    oy -= uy * static_cast<double>(pen);
  }
  UINT vertical = style.align & TA_BASELINE;
  double down = vertical == TA_BASELINE ? 0.0 : vertical == TA_BOTTOM ? -m.descent : m.ascent;
  double bx = ox + vx * down, by = oy + vy * down;  // baseline origin
  double topX = bx - vx * m.ascent, topY = by - vy * m.ascent;

  if (style.opaque) {
    uint32_t bk = ToPixel(style.background);
    if (!turned) {
      long l = std::lround(topX), t = std::lround(topY);
      FillSurface(*s,
                  RECT{static_cast<LONG>(std::clamp<long>(l, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(t, -1, s->height)),
                       static_cast<LONG>(std::clamp<long>(l + pen, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(t + height, -1, s->height))},
                  bk);
    } else {
      const double penX = static_cast<double>(pen);
      double cornersX[4] = {topX, topX + ux * penX, topX + ux * penX + vx * height, topX + vx * height};
      double cornersY[4] = {topY, topY + uy * penX, topY + uy * penX + vy * height, topY + vy * height};
      long minX = std::max(0L, static_cast<long>(std::floor(*std::min_element(cornersX, cornersX + 4))));
      long maxX = std::min<long>(s->width - 1,
                                 static_cast<long>(std::ceil(*std::max_element(cornersX, cornersX + 4))));
      long minY = std::max(0L, static_cast<long>(std::floor(*std::min_element(cornersY, cornersY + 4))));
      long maxY = std::min<long>(s->height - 1,
                                 static_cast<long>(std::ceil(*std::max_element(cornersY, cornersY + 4))));
      for (long y = minY; y <= maxY; ++y)
        for (long x = minX; x <= maxX; ++x) {
          double px = static_cast<double>(x) + 0.5 - topX, py = static_cast<double>(y) + 0.5 - topY;
          double a = px * ux + py * uy, b = px * vx + py * vy;
          if (a >= 0 && a < penX && b >= 0 && b < height) s->Row(static_cast<int>(y))[x] = bk;
        }
    }
  }

  if (turned) {
    FT_Matrix matrix;
    matrix.xx = static_cast<FT_Fixed>(std::cos(angle) * 0x10000);
    matrix.xy = static_cast<FT_Fixed>(-std::sin(angle) * 0x10000);
    matrix.yx = static_cast<FT_Fixed>(std::sin(angle) * 0x10000);
    matrix.yy = static_cast<FT_Fixed>(std::cos(angle) * 0x10000);
    FT_Set_Transform(face, &matrix, nullptr);
  }
  uint32_t colour = ToPixel(style.colour);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    if (FT_Load_Glyph(face, glyphs[i], loadFlags) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    if (fe->emboldenNeeded) FT_GlyphSlot_Embolden(slot);
    if (fe->obliqueNeeded) FT_GlyphSlot_Oblique(slot);
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) continue;
    long gx = std::lround(bx + ux * static_cast<double>(positions[i])),
         gy = std::lround(by + uy * static_cast<double>(positions[i]));
    const FT_Bitmap& bm = slot->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row) {
      const unsigned char* line = bm.buffer + static_cast<long>(row) * bm.pitch;
      long py = gy - slot->bitmap_top + static_cast<long>(row);
      for (unsigned col = 0; col < bm.width; ++col) {
        int alpha = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((line[col >> 3] >> (7 - (col & 7))) & 1) * 255
                                                        : InkAlpha(line[col]);
        Blend(*s, gx + slot->bitmap_left + static_cast<long>(col), py, colour, alpha);
      }
    }
  }
  if (turned) FT_Set_Transform(face, nullptr, nullptr);

  if (!turned && (lf.lfUnderline || lf.lfStrikeOut)) {
    long thick = std::max(1L, std::lround(m.ppemY / 14.0));
    long l = std::lround(bx), base = std::lround(by);
    if (lf.lfUnderline)
      FillSurface(*s,
                  RECT{static_cast<LONG>(std::clamp<long>(l, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(base + 1, -1, s->height)),
                       static_cast<LONG>(std::clamp<long>(l + pen, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(base + 1 + thick, -1, s->height))},
                  colour);
    if (lf.lfStrikeOut) {
      long mid = base - m.ascent / 3;
      FillSurface(*s,
                  RECT{static_cast<LONG>(std::clamp<long>(l, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(mid, -1, s->height)),
                       static_cast<LONG>(std::clamp<long>(l + pen, -1, s->width)),
                       static_cast<LONG>(std::clamp<long>(mid + thick, -1, s->height))},
                  colour);
    }
  }
  return true;
}

namespace {
// The low bits of tmPitchAndFamily.  GDI's names: the first says "variable
// pitch" although it is called fixed.
constexpr BYTE kPitchVariable = 0x01;  // TMPF_FIXED_PITCH
constexpr BYTE kPitchVector = 0x02;    // TMPF_VECTOR
constexpr BYTE kPitchTrueType = 0x04;  // TMPF_TRUETYPE

// The family GDI reports for a face: from its PANOSE classification where the
// face gives one, else from its IBM family class (both in the OS/2 table).
BYTE FamilyOf(const TT_OS2* os2, bool fixedPitch) {
  if (os2 != nullptr) {
    const FT_Byte kind = os2->panose[0], serif = os2->panose[1], proportion = os2->panose[3];
    if (kind == 2) {  // Latin text
      if (proportion == 9) return FF_MODERN;
      if (serif >= 11 && serif <= 13) return FF_SWISS;  // normal, obtuse and perpendicular sans
      if (serif >= 2) return FF_ROMAN;
    }
    if (kind == 3) return FF_SCRIPT;
    if (kind == 4 || kind == 5) return FF_DECORATIVE;  // decorative and pictorial
    switch (os2->sFamilyClass >> 8) {
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 7: return FF_ROMAN;  // the serif classes
      case 8: return FF_SWISS;  // sans serif
      case 9:
      case 12: return FF_DECORATIVE;  // ornamentals, symbolic
      case 10: return FF_SCRIPT;
      default: break;
    }
  }
  return fixedPitch ? FF_MODERN : FF_DONTCARE;
}

// GDI's rounding of scaled font units: halves away from zero.
LONG Scaled(double units, double scale) { return static_cast<LONG>(std::lround(units * scale)); }
}  // namespace

// The metrics GDI reports for a TrueType face, from the face's own tables;
// `scale` is pixels per font unit (ppem / unitsPerEm; for a positive lfHeight
// the cell over usWinAscent + usWinDescent, which is the same):
// - height, ascent, descent: usWinAscent and usWinDescent (OS/2) scaled, the
//   cell split as Measure does;
// - tmInternalLeading: the cell less the em;
// - tmExternalLeading: the line gap hhea asks for beyond what the Windows
//   ascent and descent already hold,
//     max(0, hhea.lineGap - ((usWinAscent + usWinDescent) - (hhea.ascender - hhea.descender))),
//   scaled (Liberation Sans: a gap of 67 in 2048, so 0 up to 15 pixels a em
//   and 1 from 16);
// - tmAveCharWidth: OS/2 xAvgCharWidth scaled;
// - tmMaxCharWidth: hhea.advanceWidthMax scaled (the widest advance, not the
//   width of the bounding box of all glyphs);
// - tmPitchAndFamily: variable pitch unless post.isFixedPitch, always vector
//   and TrueType, and the family from OS/2 (FamilyOf): 0x27 for a sans face;
// - the character range as the 8-bit calls report it: the default character
//   is OS/2 usDefaultChar where it names one within 1..255, else 31 (GDI's
//   own choice for a face that names none), the first character the one
//   before the default, the last usLastCharIndex held to 255 (a symbol face,
//   with its characters from 0xF000, counted from there), the break character
//   usBreakChar (the space).  The 8-bit first character is not the first
//   character the face maps: that one is the space in every face the game
//   gets (FreeType's first mapped code), yet GDI's 8-bit metrics of such a
//   TrueType face say 30.  Read from the faces themselves: Liberation Sans,
//   Serif and Mono (OS/2 version 3) name no default (usDefaultChar 0), break
//   on the space and claim 33 as their first index; DejaVu Sans, the fallback
//   for a family not installed, has a version 1 table, which holds neither a
//   default nor a break character.  So every face the game draws with reports
//   30, 31, 255 and 32;
// - tmItalic 255 for an italic font, tmWeight the weight asked for.
bool FontMetrics(const LOGFONTA& lf, TEXTMETRICA* tm) {
  FaceEntry* fe = Resolve(lf);
  if (fe == nullptr) return false;
  Metrics m = Measure(*fe, lf);
  FT_Face face = fe->face;
  const double em = face->units_per_EM ? face->units_per_EM : 2048;
  const double scaleY = m.ppemY / em, scaleX = m.ppemX / em;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const bool fixedPitch = FT_IS_FIXED_WIDTH(face);
  *tm = TEXTMETRICA{};
  tm->tmHeight = m.ascent + m.descent;
  tm->tmAscent = m.ascent;
  tm->tmDescent = m.descent;
  tm->tmInternalLeading = static_cast<LONG>(std::max(0L, static_cast<long>(tm->tmHeight) - std::lround(m.ppemY)));
  if (os2 != nullptr && hhea != nullptr) {
    const double windows = static_cast<double>(os2->usWinAscent) + os2->usWinDescent;
    const double typographic = static_cast<double>(hhea->Ascender) - hhea->Descender;
    tm->tmExternalLeading = Scaled(std::max(0.0, hhea->Line_Gap - (windows - typographic)), scaleY);
  }
  tm->tmAveCharWidth = os2 ? Scaled(os2->xAvgCharWidth, scaleX) : static_cast<LONG>(std::lround(m.ppemX / 2));
  tm->tmMaxCharWidth = hhea != nullptr ? Scaled(hhea->advance_Width_Max, scaleX)
                                       : Scaled(static_cast<double>(face->bbox.xMax - face->bbox.xMin), scaleX);
  tm->tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  unsigned first = 32, last = 255, defaultChar = 0, breakChar = 0;
  if (os2 != nullptr && os2->version != 0xFFFF) {
    first = os2->usFirstCharIndex;
    last = os2->usLastCharIndex;
    if (os2->version >= 2) {
      defaultChar = os2->usDefaultChar;
      breakChar = os2->usBreakChar;
    }
  }
  if (first >= 0xF000 && first <= 0xF0FF && last >= 0xF000) last -= 0xF000;  // a symbol face
  if (defaultChar == 0 || defaultChar > 255) defaultChar = 31;
  if (breakChar == 0 || breakChar > 255) breakChar = ' ';
  tm->tmDefaultChar = static_cast<BYTE>(defaultChar);
  tm->tmFirstChar = static_cast<BYTE>(defaultChar - 1);
  tm->tmLastChar = static_cast<BYTE>(std::min(last, 255u));
  tm->tmBreakChar = static_cast<BYTE>(breakChar);
  tm->tmItalic = lf.lfItalic ? 255 : 0;  // GDI reports an italic font as 255
  tm->tmUnderlined = lf.lfUnderline;
  tm->tmStruckOut = lf.lfStrikeOut;
  tm->tmPitchAndFamily = static_cast<BYTE>((fixedPitch ? 0 : kPitchVariable) | kPitchVector | kPitchTrueType |
                                           FamilyOf(os2, fixedPitch));
  tm->tmCharSet = lf.lfCharSet;
  return true;
}

}  // namespace plat
