// Drawing of every object type.  Drawing is immediate, straight into the
// window; nothing is cached, so the event code redraws an object whenever its
// state changes.  Buttons and check boxes are skin pictures; command buttons,
// text boxes and progress bars are drawn from lines and fills.
#include <algorithm>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "images/IvxFiles.h"

namespace veltogui {

namespace {

using veltounit::MakeColour;
using veltounit::OutTextXY;
using veltounit::TextHeight;
using veltounit::TextWidth;

const Colour kBlack = 0x000000;
const Colour kWhite = 0xFFFFFF;

Colour Rgb(int r, int g, int b) { return MakeColour(r, g, b); }

// Fills the rectangle with its corners included.
void Fill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour) {
  veltounit::FillRectangle(x1, y1, x2, y2, colour, colour);
}

// Lines as the layer draws them leave out their end point; these include it.
void HLine(int32_t x1, int32_t x2, int32_t y, Colour colour) {
  if (x2 >= x1) veltounit::DrawLine(x1, y, x2 + 1, y, colour);
}
void VLine(int32_t x, int32_t y1, int32_t y2, Colour colour) {
  if (y2 >= y1) veltounit::DrawLine(x, y1, x, y2 + 1, colour);
}

// The longest beginning of text whose summed character widths stay below limit.
std::string FittingBeginning(const std::string& text, int32_t limit) {
  if (TextWidth(text) < limit) return text;
  int32_t sum = 0;
  size_t n = 0;
  while (n < text.size()) {
    const int32_t w = TextWidth(std::string(1, text[n]));
    if (sum + w >= limit) break;
    sum += w;
    ++n;
  }
  return text.substr(0, n);
}

// The empty box shared by text and password boxes.
void DrawBoxFrame(int32_t x1, int32_t y1, int32_t x2) {
  const int32_t hb = TextHeight("A") + 8;
  veltounit::SetPenWidth(0, 0, Gui().textboxSize);
  veltounit::FillRectangle(x1, y1, x2, y1 + hb, SkinColour(COL_TEXTBOX_OUT), SkinColour(COL_TEXTBOX_IN));
  veltounit::SetPenWidth(0, 0, 1);
}

bool IsStateDigit(const std::string& state, char low, char high) {
  return state.size() == 1 && state[0] >= low && state[0] <= high;
}

// Picture name of a button or check box: prefix + "l"/"s" + state.
std::string SkinButtonPicture(const std::string& prefix, const std::string& size, const std::string& state,
                              const char* sizeError, const char* valueError) {
  std::string letter = "s";
  const std::string upper = Upper(size);
  if (upper == "LARGE") letter = "l";
  else if (upper != "SMALL") veltounit::WriteCentred(sizeError);
  std::string digit = state;
  if (!IsStateDigit(state, '1', '3')) {
    veltounit::WriteCentred(valueError);
    digit = "1";
  }
  return prefix + letter + digit;
}

}  // namespace

void DrawButton(const std::string& size, const std::string& state, int32_t x, int32_t y) {
  const std::string picture = SkinButtonPicture("btn", size, state, "Error in size of button !",
                                                "Error in value of button !");
  if (!PictureKnown(picture)) return;
  ivxfiles::FillPictureArea(picture, x, y, kBlack);
  ivxfiles::DrawPicture(picture, x, y);
}

void DrawCheckBox(const std::string& size, const std::string& state, int32_t x, int32_t y) {
  const std::string picture = SkinButtonPicture("chk", size, state, "Error in size of check-button !",
                                                "Error in value of check-button !");
  DrawStorePicture(picture, x, y);
}

void DrawIvxButton(const std::string& state, const std::string& base, int32_t x, int32_t y) {
  if (state == "2" || state == "3" || state == "4") DrawStorePicture(base + "1", x, y);
  else if (state == "1") DrawStorePicture(base + "0", x, y);
}

// Bevel lines are one pixel wide: white and light grey along the top and left
// and grey and black along the bottom and right for the raised look; black and
// grey along the top and left for the sunken one.
void DrawCommandButton(const std::string& state, const std::string& caption, int32_t x1, int32_t y1, int32_t x2,
                       int32_t y2) {
  std::string s = state;
  if (!IsStateDigit(state, '1', '4')) {
    veltounit::WriteCentred("Error in value of button !");
    s = "1";
  }
  const int32_t w = x2 - x1;
  const int32_t h = y2 - y1;
  Fill(x1, y1, x1 + w, y1 + h, veltounit::GetBackColour());
  Fill(x1, y1, x1 + w, y1 + h, Rgb(192, 192, 192));
  veltounit::SetPenWidth(0, 0, 1);
  const int32_t d = std::max(0, (w - TextWidth(caption)) / 2);
  const Colour grey = Rgb(128, 128, 128);
  if (s == "3") {
    HLine(x1, x2, y1, kBlack);
    VLine(x1, y1, y2, kBlack);
    HLine(x1 + 1, x2 - 1, y1 + 1, grey);
    VLine(x1 + 1, y1 + 1, y2 - 1, grey);
    veltounit::SetTextColour(kBlack);
  } else {
    HLine(x1, x2, y1, kWhite);
    VLine(x1, y1, y2, kWhite);
    HLine(x1 + 1, x2 - 1, y1 + 1, Rgb(223, 223, 223));
    VLine(x1 + 1, y1 + 1, y2 - 1, Rgb(223, 223, 223));
    HLine(x1 + 1, x2 - 1, y2 - 1, grey);
    VLine(x2 - 1, y1 + 1, y2 - 1, grey);
    HLine(x1, x2, y2, kBlack);
    VLine(x2, y1, y2, kBlack);
    SkinColourIndex colour = COL_BUTTON_TEXT;
    if (s == "2") colour = COL_BUTTON_ACTIVE_TEXT;
    else if (s == "4") colour = COL_BUTTON_ACTIVATED_TEXT;
    veltounit::SetTextColour(SkinColour(colour));
  }
  OutTextXY(x1 + d + 1, y1 + 2, caption);
  veltounit::SetTextColour(kWhite);
}

void DrawTextBox(const std::string& text, int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/) {
  DrawBoxFrame(x1, y1, x2);
  if (text.empty()) return;
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(SkinColour(COL_TEXTBOX_TEXT));
  OutTextXY(x1 + 4, y1 + 4, FittingBeginning(text, x2 - x1 - 5));
  veltounit::SetTextColour(previous);
}

void DrawPasswordBox(const std::string& text, int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/) {
  DrawBoxFrame(x1, y1, x2);
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(SkinColour(COL_TEXTBOX_TEXT));
  const int32_t star = TextWidth("*");
  // Stars stop where the box ends, as the text of an open box does.
  for (size_t i = 0; i < text.size(); ++i) {
    const int32_t left = 4 + static_cast<int32_t>(i) * star;
    if (left + star >= x2 - x1 - 1) break;
    OutTextXY(x1 + left, y1 + 4, "*");
  }
  veltounit::SetTextColour(previous);
}

void DrawProgressBar(const std::string& value, int32_t x1, int32_t y1, int32_t x2, int32_t /*y2*/) {
  const Colour previous = veltounit::GetTextColour();
  const std::string shown = value + "%";
  veltounit::SetTextColour(kWhite);
  veltounit::SetPenWidth(0, 0, 4);
  veltounit::FillRectangle(x1, y1, x2, y1 + TextHeight("A") + 8, Rgb(44, 0, 255), kBlack);
  const int32_t tx = x1 + 4 + ((x2 - x1) - TextWidth(shown)) / 2;
  OutTextXY(tx, y1 + 4, shown);
  veltounit::SetPenWidth(0, 0, 1);

  const int32_t p = std::clamp(WholeNumber(value), 0, 100);
  const int32_t right = x1 + (x2 - x1) * p / 100 - 4;
  if (p > 0 && right > x1 + 4) Fill(x1 + 4, y1 + 3, right, y1 + 4 + TextHeight("A"), Rgb(255, 0, 0));
  veltounit::Delay(1);
  veltounit::ReadKey();
  OutTextXY(tx, y1 + 4, shown);
  veltounit::SetTextColour(previous);
}

void DrawLabelText(const std::string& text, int32_t x, int32_t y) {
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(Gui().labelColour);
  OutTextXY(x, y, text);
  veltounit::SetTextColour(previous);
}

void DrawIcon(const std::string& picture, const std::string& caption, int32_t x, int32_t y) {
  const std::string s = " " + caption + " ";
  const int32_t tw = TextWidth(s);
  const int32_t pw = PictureWidth(picture);
  const int32_t ph = PictureHeight(picture);
  DrawStorePicture(picture, x + (tw - pw) / 2, y);
  const int32_t ty = y + ph + 5;
  Fill(x, ty, x + tw, ty + TextHeight("A"), Rgb(208, 219, 241));
  const Colour previous = veltounit::GetTextColour();
  veltounit::SetTextColour(kBlack);
  OutTextXY(x, ty, s);
  veltounit::SetTextColour(previous);
}

void DrawFocusMark() {
  const int32_t index = Gui().focused;
  if (!ValidIndex(index) || index > Gui().count) return;
  const GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  if (o.typeCode == TYPE_DATA) return;
  const Colour mark = Rgb(255, 255, 50);
  for (int32_t x = o.x1; x <= o.x2; ++x) {
    if (x % 2 != 0) veltounit::PutPixel(x, o.y1, mark);
    else veltounit::PutPixel(x, o.y2 - 1, mark);
  }
  for (int32_t y = o.y1; y <= o.y2; ++y) {
    if (y % 2 != 0) veltounit::PutPixel(o.x1, y, mark);
    else veltounit::PutPixel(o.x2 - 1, y, mark);
  }
}

void DrawObject(int32_t index) {
  if (!ValidIndex(index)) return;
  const GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  switch (o.typeCode) {
    case TYPE_WINDOW:
      DrawWindowFrame(o.value, Upper(o.name) == Upper(Gui().activeWindow) ? 1 : 0, o.x1, o.y1, o.x2 - o.x1,
                      o.y2 - o.y1);
      break;
    case TYPE_TEXTBOX: DrawTextBox(o.value, o.x1, o.y1, o.x2, o.y2); break;
    case TYPE_COMMENT:
    case TYPE_LABEL: DrawLabelText(o.value, o.x1, o.y1); break;
    case TYPE_PROGRESSBAR: DrawProgressBar(o.value, o.x1, o.y1, o.x2, o.y2); break;
    case TYPE_CHECKBOXL: DrawCheckBox("large", o.value, o.x1, o.y1); break;
    case TYPE_CHECKBOX: DrawCheckBox("small", o.value, o.x1, o.y1); break;
    case TYPE_BUTTON: DrawButton("small", o.value, o.x1, o.y1); break;
    case TYPE_BUTTONL: DrawButton("large", o.value, o.x1, o.y1); break;
    case TYPE_BUTTONC: DrawCommandButton(o.value, o.extra1, o.x1, o.y1, o.x2, o.y2); break;
    case TYPE_ICON: DrawIcon(o.extra1, o.text8, o.x1, o.y1); break;
    case TYPE_TEXTBOX_PASSWORD: DrawPasswordBox(o.value, o.x1, o.y1, o.x2, o.y2); break;
    case TYPE_BUTTONIVX: DrawIvxButton(o.value, o.extra1, o.x1, o.y1); break;
    default: break;  // layers and data are invisible
  }
}

}  // namespace veltogui
