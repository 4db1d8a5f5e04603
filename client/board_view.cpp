// The board view: background, board lines, the 24 clickable point objects,
// pieces, the two reserve stacks, the turn line and the hint marks.  An
// off-screen copy of the empty board lets a point be cleared by copying the
// background back over it.
#include <algorithm>
#include <array>
#include <string>

#include "client/client.h"
#include "engine/TrivaneEngine.h"
#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "images/IvxFiles.h"
#include "platform/win32.h"

namespace client {

namespace {

namespace vu = veltounit;
namespace gui = veltogui;
namespace ivx = ivxfiles;

// The picture store is 2348 cells wide, but pictures are laid out in rows
// that end at x = 2048, the width of the toolkit's hit map.
constexpr int32_t kRowEnd = 2048;
constexpr int32_t kPictureGap = 2;

// The background copy: a memory device context holding a bitmap as large as
// the screen, and the bitmap it replaced there.
struct BackgroundCopy {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
};
BackgroundCopy g_background;

// Lays pictures out side by side from the current load origin, starting a new
// row below the tallest picture so far when one would end beyond the row end.
struct PictureRow {
  int32_t tallestBottom = 0;
};

int32_t PictureWidth(const std::string& name) { return ivx::PictureMetric(name, "SIZEX"); }
int32_t PictureHeight(const std::string& name) { return ivx::PictureMetric(name, "SIZEY"); }

void NoteBottom(PictureRow& row, const std::string& name) {
  row.tallestBottom = std::max(row.tallestBottom, ivx::LoadOriginY() + PictureHeight(name));
}

void LoadInRow(PictureRow& row, const std::string& name) {
  ivx::LoadIvxPicture(name);
  if (ivx::LoadOriginX() + PictureWidth(name) > kRowEnd && ivx::LoadOriginX() > 1) {
    // It did not fit: load it again at the start of a new row.  The cells it
    // wrote past the row end belong to nobody and are painted over later.
    ivx::RemovePictureName(name);
    ivx::SetLoadOrigin(1, row.tallestBottom + kPictureGap);
    ivx::LoadIvxPicture(name);
  }
  NoteBottom(row, name);
  ivx::SetLoadOrigin(ivx::LoadOriginX() + PictureWidth(name) + kPictureGap, ivx::LoadOriginY());
}

std::string Decimal(int64_t n) { return std::to_string(n); }

// Marks belong to a person's turn: the computer needs none, and a person who
// switched them off sees none.
bool MarksWanted() {
  const bool computer = client_player >= 1 && client_player <= 2 && cpu_player[client_player] == 1;
  return hints_on && !computer;
}

void OutlinePoint(const game_record::Square& s, Colour colour, int32_t width) {
  // The piece's cells run from its corner + 1 to its corner + its size; the
  // frame keeps clear of them so the piece itself stays untouched.
  const int32_t w = PictureWidth("pioniup1");
  const int32_t h = PictureHeight("pioniup1");
  const int32_t x = PieceLeft(s.x);
  const int32_t y = PieceTop(s.y);
  vu::SetPenWidth(width, width, width);
  vu::DrawRectangle(x - kMarkInset, y - kMarkInset, x + w + kMarkInset + 1, y + h + kMarkInset + 1, colour);
  vu::SetPenWidth(1, 1, 1);
}

}  // namespace

void WriteTurnLine() {
  vu::SetTextMode("OPAQUE");
  vu::SetTextCursor(0, vu::WindowHeight() - 40);
  vu::WriteCentred("Player " + Decimal(client_player) + " playing");
}

int32_t PieceLeft(int32_t x) { return kUnit * x - kPointHalf + kPieceInset; }
int32_t PieceTop(int32_t y) { return kUnit * y - kPointHalf + kPieceInset; }

std::string LayerName(int32_t x, int32_t y) { return "layer(" + Decimal(x) + "," + Decimal(y) + ")"; }

void LoadGamePictures() {
  ivx::SetTransparentColour(vu::MakeColour(123, 123, 0));
  PictureRow row;
  row.tallestBottom = ivx::LoadOriginY();
  for (const char* name : {"pioni1", "pioniup1", "pioniup2", "warning", "pionix", "trivaneintro"}) {
    LoadInRow(row, name);
  }
  // Player 2's reserve piece is player 1's with its pure red turned orange.
  if (ivx::LoadOriginX() + PictureWidth("pioni1") > kRowEnd) {
    ivx::SetLoadOrigin(1, row.tallestBottom + kPictureGap);
  }
  ivx::CopyPicture("pioni1", "pioni2", ivx::LoadOriginX(), ivx::LoadOriginY());
  ivx::ReplaceColour("pioni2", vu::MakeColour(255, 0, 0), vu::MakeColour(255, 128, 64));
  NoteBottom(row, "pioni2");
  // Whatever is loaded later starts on a fresh row below all of these.
  ivx::SetLoadOrigin(1, row.tallestBottom + kPictureGap);
}

void CreateGameWindow() {
  // The window object is drawn once for its frame and removed again: the frame
  // stays on the screen, and only its close area stays clickable.
  gui::CreateObject("backwindow", "window", "Trivane 0.72 (day 13) - Development Build 7-12-06", "", "", "", 1, 1,
                    500, 500);
  gui::DrawAllObjects();
  gui::RemoveObject("backwindow", "NAME");
  ivx::DrawJpegFile("back.jpg", 12, 29);
  const Colour grey = vu::MakeColour(123, 123, 123);
  vu::DrawLine(12, 29, 494, 29, grey);
  vu::DrawLine(12, 29, 12, 496, grey);
  vu::DrawLine(12, 496, 494, 496, grey);
  vu::DrawLine(494, 29, 494, 496, grey);
}

void DrawBoardLines() {
  constexpr int32_t u = kUnit;
  vu::SetPenWidth(6, 6, 6);
  for (int32_t k = 1; k <= 3; ++k) vu::DrawRectangle(k * u, k * u, 500 - k * u, 500 - k * u, board_colour);
  vu::SetPenWidth(4, 4, 4);
  vu::DrawLine(248, 62, 248, 186, board_colour);
  vu::DrawLine(248, 313, 248, 434, board_colour);
  vu::DrawLine(62, 248, 186, 248, board_colour);
  vu::DrawLine(313, 248, 434, 248, board_colour);
  vu::SetPenWidth(1, 1, 1);
}

void CreatePointLayers() {
  auto create = [](int32_t x, int32_t y) {
    gui::CreateObject(LayerName(x, y), "layer", "1", "no", "", "select", kUnit * x - kPointHalf,
                      kUnit * y - kPointHalf, kUnit * x + kPointHalf, kUnit * y + kPointHalf);
  };
  for (int32_t i = 1; i <= 3; ++i) {
    create(i, i);
    create(4, i);
    create(8 - i, i);
  }
  for (int32_t i = 1; i <= 7; ++i) {
    if (i != 4) create(i, 4);
  }
  for (int32_t i = 3; i >= 1; --i) {
    const int32_t j = 8 - i;
    create(i, j);
    create(4, j);
    create(8 - i, j);
  }
}

void DrawReserves(bool left, bool right) {
  struct Stack {
    bool wanted;
    uint32_t player;
    int32_t x;
    const char* picture;
  };
  const std::array<Stack, 2> stacks = {{{left, 1, 15, "pioni1"}, {right, 2, 453, "pioni2"}}};
  for (const Stack& s : stacks) {
    if (!s.wanted) continue;
    vu::FillRectangle(s.x, 72, s.x + 32, 428, board_colour, board_colour);
    const uint32_t n = Engine_GetRemainingPutPlayerPieces(s.player);
    const int32_t step = PictureHeight(s.picture) + 5;
    int32_t y = 398;
    for (uint32_t i = 0; i < n; ++i) {
      ivx::DrawPicture(s.picture, s.x, y);
      y -= step;
    }
    vu::OutTextXY(s.x + 10, y, Decimal(n));
  }
}

void CaptureBackground() {
  ReleaseBackground();
  HDC window = vu::WindowDC();
  if (window == nullptr) return;
  g_background.dc = CreateCompatibleDC(window);
  if (g_background.dc == nullptr) return;
  g_background.bitmap = CreateCompatibleBitmap(window, GetDeviceCaps(window, HORZRES),
                                               GetDeviceCaps(window, VERTRES));
  if (g_background.bitmap == nullptr) {
    ReleaseBackground();
    return;
  }
  g_background.previous = SelectObject(g_background.dc, g_background.bitmap);
  BitBlt(g_background.dc, 0, 0, vu::WindowWidth(), vu::WindowHeight(), window, 0, 0, SRCCOPY);
}

void RestoreBackground(int32_t x, int32_t y, int32_t w, int32_t h) {
  // Before the first copy there is nothing to put back.
  if (g_background.dc == nullptr || vu::WindowDC() == nullptr) return;
  BitBlt(vu::WindowDC(), x, y, w, h, g_background.dc, x, y, SRCCOPY);
}

void ReleaseBackground() {
  if (g_background.dc != nullptr && g_background.previous != nullptr) {
    SelectObject(g_background.dc, g_background.previous);
  }
  if (g_background.bitmap != nullptr) DeleteObject(g_background.bitmap);
  if (g_background.dc != nullptr) DeleteDC(g_background.dc);
  g_background = BackgroundCopy{};
}

void RefreshBoard() {
  // The point squares tile the board without overlapping; together they hold
  // every piece, mark and outline drawn on a point.
  for (int32_t x = 1; x <= 7; ++x) {
    for (int32_t y = 1; y <= 7; ++y) {
      if (Engine_GetPieceTable(x, y) == 255) continue;
      RestoreBackground(kUnit * x - kPointHalf, kUnit * y - kPointHalf, 2 * kPointHalf + 1, 2 * kPointHalf + 1);
    }
  }
  // The last move: where it went, and a thinner mark where a slide came from.
  const std::vector<game_record::Ply>& plies = RecordedPlies();
  for (size_t i = plies.size(); i-- > 0;) {
    if (plies[i].kind == game_record::PlyKind::Remove) continue;
    const Colour green = vu::MakeColour(0, 200, 0);
    if (plies[i].kind == game_record::PlyKind::Slide) OutlinePoint(plies[i].from, green, 1);
    OutlinePoint(plies[i].to, green, 2);
    break;
  }
  if (SlideStep() == 2) OutlinePoint(SlideSource(), vu::MakeColour(255, 220, 0), 2);
  // The squares of the outer columns reach into the reserve stacks, which are
  // drawn over the frames there, as the pieces are drawn over the stacks.
  DrawReserves(true, true);
  for (int32_t x = 1; x <= 7; ++x) {
    for (int32_t y = 1; y <= 7; ++y) {
      const uint32_t piece = Engine_GetPieceTable(x, y);
      if (piece == 1 || piece == 2) ivx::DrawPicture("pioniup" + Decimal(piece), PieceLeft(x), PieceTop(y));
    }
  }
}

void ShowTurnAndPlaceMarks() {
  WriteTurnLine();
  if (!MarksWanted()) {
    vu::SetTextMode("TRANSPARENT");
    return;
  }
  for (int32_t x = 1; x <= 7; ++x) {
    for (int32_t y = 1; y <= 7; ++y) {
      // The mark is asked only where a piece could go; elsewhere the engine
      // would complain with a box of its own.
      if (!Engine_PieceAllowedTable(x, y)) continue;
      const int32_t mark = Engine_Place_Mark(x, y, client_player);
      vu::OutTextXY(PieceLeft(x), PieceTop(y), "  " + Decimal(mark) + "  ");
    }
  }
  vu::SetTextMode("TRANSPARENT");
}

void ShowTurnAndRemoveMarks() {
  WriteTurnLine();
  if (!MarksWanted()) {
    vu::SetTextMode("TRANSPARENT");
    return;
  }
  const uint32_t opponent = client_player == 1 ? 2 : 1;
  for (int32_t x = 1; x <= 7; ++x) {
    for (int32_t y = 1; y <= 7; ++y) {
      if (!Engine_PlayerPieceExistsTable(x, y, opponent)) continue;
      const uint32_t mark = Engine_Remove_Mark(x, y, opponent);
      vu::SetTextColour(vu::MakeColour(255, 0, 0));
      vu::OutTextXY(PieceLeft(x), PieceTop(y), "  " + Decimal(mark) + "  ");
      vu::SetTextColour(vu::MakeColour(255, 255, 255));
    }
  }
  vu::SetTextMode("TRANSPARENT");
}

}  // namespace client
