// The object table: 250 records addressed by name from the program and by
// index inside the toolkit, and the hit map that answers which object is under
// a window pixel with one array read.
#include <algorithm>
#include <array>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "images/IvxFiles.h"

namespace veltogui {

namespace {

using veltounit::TextHeight;
using veltounit::TextWidth;

// A reset moves the stamp base by a table's worth of indices; once it reaches
// this bound the map is cleared for real and the base starts again from 0.
constexpr uint32_t kStampBaseLimit = 50000;

// Highest index whose NAME (or OWNINGWINDOW) equals key, or -1.
int32_t ScanByName(const std::string& key, bool byOwningWindow) {
  GuiState& g = Gui();
  const std::string wanted = Upper(key);
  for (int32_t i = std::min(g.count, MAX_OBJECTS); i >= 1; --i) {
    const GuiObject& o = g.objects[static_cast<size_t>(i)];
    const std::string& field = byOwningWindow ? o.owningWindow : o.name;
    if (!field.empty() && Upper(field) == wanted) return i;
  }
  return -1;
}

// Names change: forget the cached lookup so a name looked up before it existed
// is found once it does (and a deleted one is no longer found).
void ForgetLookup() {
  Gui().cacheName.clear();
  Gui().cacheIndex = 0;
}

int32_t AllocateObject(const std::string& name) {
  GuiState& g = Gui();
  // The table holds 250 records; a 251st object is refused instead of being
  // written past the table.
  if (g.count >= MAX_OBJECTS) return 0;
  g.count += 1;
  g.objects[static_cast<size_t>(g.count)].name = name;
  return g.count;
}

}  // namespace

int32_t ObjectTypeCode(const std::string& type) {
  static const std::array<const char*, 15> kKeywords = {
      "",        "WINDOW",      "LAYER",     "TEXTBOX",          "COMMENT",
      "LABEL",   "PROGRESSBAR", "CHECKBOXL", "CHECKBOX",         "BUTTON",
      "BUTTONC", "BUTTONL",     "ICON",      "TEXTBOX-PASSWORD", "BUTTONIVX"};
  const std::string upper = Upper(type);
  for (size_t code = 1; code < kKeywords.size(); ++code) {
    if (upper == kKeywords[code]) return static_cast<int32_t>(code);
  }
  return TYPE_DATA;
}

void CreateObject(const std::string& name, const std::string& type, const std::string& value,
                  const std::string& owningWindow, const std::string& sound, const std::string& cursor, int32_t x1,
                  int32_t y1, int32_t x2, int32_t y2) {
  GuiState& g = Gui();
  const int32_t index = AllocateObject(name);
  if (index == 0) return;
  ForgetLookup();
  g.lastCreated = index;
  if (g.focused == 0) g.focused = index;

  GuiObject& o = g.objects[static_cast<size_t>(index)];
  o.name = name;
  o.type = type;
  o.value = value;
  o.owningWindow = owningWindow;
  o.sound = sound;
  o.cursor = cursor;
  o.extra1.clear();
  o.text8.clear();
  o.x1 = x1;
  o.y1 = y1;
  o.x2 = x2;
  o.y2 = y2;
  o.extra2 = 0;
  o.typeCode = ObjectTypeCode(type);
  const bool centre = (x1 == -1 && x2 == -1);

  const std::string upper = Upper(type);
  auto sizeFromPicture = [&o](const std::string& picture) {
    o.x2 = o.x1 + PictureWidth(picture);
    o.y2 = o.y1 + PictureHeight(picture);
  };
  if (upper == "PROGRESSBAR") {
    o.y2 = o.y1 + TextHeight(o.value);
  } else if (upper == "ICON") {
    ParseLine(o.value);
    o.text8 = GetLinePart(1);
    o.extra1 = GetLinePart(2);
    o.value = "1";
    sizeFromPicture(o.extra1);
  } else if (upper == "WINDOW") {
    o.extra2 = 0;
  } else if (upper == "LABEL" || upper == "COMMENT") {
    o.x2 = o.x1 + TextWidth(o.value);
    o.y2 = o.y1 + TextHeight(o.value);
  } else if (upper == "TEXTBOX" || upper == "TEXTBOX-PASSWORD") {
    o.y2 = o.y1 + TextHeight("A") + 8;
  } else if (upper == "CHECKBOXL") {
    sizeFromPicture("chkl1");
  } else if (upper == "CHECKBOX") {
    sizeFromPicture("chks1");
  } else if (upper == "BUTTON") {
    sizeFromPicture("btns1");
  } else if (upper == "BUTTONL") {
    sizeFromPicture("btnl1");
  } else if (upper == "BUTTONC") {
    o.x2 = o.x1 + std::max(44, TextWidth(o.value) + 20);
    o.y2 = o.y1 + 23;
    o.extra1 = o.value;
    o.value = "1";
  } else if (upper == "BUTTONIVX") {
    o.extra1 = o.value;
    sizeFromPicture(o.extra1 + "0");
    o.value = "1";
  }

  if (centre) {
    const int32_t w = o.x2 - o.x1;
    o.x1 = (veltounit::WindowWidth() - w) / 2;
    o.x2 = o.x1 + w;
  }
  StampObject(index);

  if (upper == "WINDOW") {
    // The close area lies exactly over the close button the frame draws, so a
    // click on the button closes whatever the sizes of the skin's pictures.
    const WindowFrameLayout f = LayoutWindowFrame(1, o.x2 - o.x1, o.y2 - o.y1);
    const int32_t ex1 = o.x1 + f.exitX;
    const int32_t ey1 = o.y1 + f.exitY;
    CreateObject("wnd_exit", "layer", "1", "", "", "SELECT", ex1, ey1, ex1 + f.exitW, ey1 + f.exitH);
    g.lastCreated = index;
  }
}

bool RemoveObject(const std::string& key, const std::string& byField) {
  const int32_t index = ScanByName(key, Upper(byField) == "OWNINGWINDOW");
  if (index < 1) return false;
  UnstampObject(index);
  ClearObjectRecord(Gui().objects[static_cast<size_t>(index)], true);
  ForgetLookup();
  return true;
}

int32_t FindObject(const std::string& name) {
  GuiState& g = Gui();
  // No object is addressed by the empty name: deleted slots carry it.
  if (name.empty()) return -1;
  if (name == g.cacheName) return g.cacheIndex;
  const int32_t found = ScanByName(name, false);
  g.cacheName = name;
  g.cacheIndex = found;
  return found;
}

int32_t GetObjectMetric(const std::string& name, const std::string& what) {
  const int32_t index = FindObject(name);
  if (!ValidIndex(index)) return -1;
  const GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  const std::string w = Upper(what);
  if (w == "X") return o.x2 - o.x1;
  if (w == "Y") return o.y2 - o.y1;
  if (w == "X1") return o.x1;
  if (w == "Y1") return o.y1;
  if (w == "X2") return o.x2;
  if (w == "Y2") return o.y2;
  return -1;
}

int32_t GetObjectX1(const std::string& name) { return GetObjectMetric(name, "X1"); }
int32_t GetObjectY1(const std::string& name) { return GetObjectMetric(name, "Y1"); }
int32_t GetObjectX2(const std::string& name) { return GetObjectMetric(name, "X2"); }
int32_t GetObjectY2(const std::string& name) { return GetObjectMetric(name, "Y2"); }

std::string GetObjectValue(const std::string& name) {
  const int32_t index = ScanByName(name, false);
  if (index < 1) return "";
  return Gui().objects[static_cast<size_t>(index)].value;
}

void SetObjectField(const std::string& name, const std::string& field, const std::string& text, int32_t number) {
  const int32_t index = ScanByName(name, false);
  if (index < 1) return;
  GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  const std::string f = Upper(field);
  if (f == "X1") o.x1 = number;
  else if (f == "Y1") o.y1 = number;
  else if (f == "X2") o.x2 = number;
  else if (f == "Y2") o.y2 = number;
  else if (f == "EXTRA2") o.extra2 = number;
  else if (f == "NAME") {
    o.name = text;
    ForgetLookup();
  } else if (f == "TYPE") o.type = text;
  else if (f == "VALUE") o.value = text;
  else if (f == "SOUND") o.sound = text;
  else if (f == "CURSOR") o.cursor = text;
  else if (f == "EXTRA1") o.extra1 = text;
  else if (f == "OWNINGWINDOW") o.owningWindow = text;
}

void SetObjectState(const std::string& name, int32_t state) {
  const int32_t index = ScanByName(name, false);
  if (index < 1) return;
  GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  if (o.typeCode != TYPE_BUTTONC && o.typeCode != TYPE_LAYER && o.typeCode != TYPE_BUTTONIVX) return;
  if (state == 0) o.value = "1";
  else if (state == 1) o.value = (o.typeCode == TYPE_BUTTONC) ? "4" : "3";
  else o.value = "3";
}

void SetObjectTextColour(Colour colour, const std::string& which) {
  const std::string w = Upper(which);
  if (w == "COMMENT" || w == "LABEL") Gui().labelColour = colour;
}

int32_t ObjectAt(int32_t x, int32_t y) {
  if (x < 1 || x > HITMAP_WIDTH || y < 1 || y > HITMAP_HEIGHT) return 0;
  const uint32_t v = HitMapCells()[static_cast<size_t>(y - 1) * HITMAP_WIDTH + static_cast<size_t>(x - 1)];
  const uint32_t base = Gui().stampBase;
  if (v > base && v <= base + MAX_OBJECTS) return static_cast<int32_t>(v - base);
  return 0;
}

namespace {

// Calls visit(cell) for every hit map cell of the object's rectangle.
template <typename Visit>
void ForEachCell(const GuiObject& o, Visit visit) {
  const int32_t left = std::max(o.x1, 1);
  const int32_t right = std::min(o.x2, HITMAP_WIDTH);
  const int32_t top = std::max(o.y1, 1);
  const int32_t bottom = std::min(o.y2, HITMAP_HEIGHT);
  uint32_t* map = HitMapCells();
  for (int32_t y = top; y <= bottom; ++y) {
    uint32_t* row = map + static_cast<size_t>(y - 1) * HITMAP_WIDTH;
    for (int32_t x = left; x <= right; ++x) visit(row[x - 1]);
  }
}

}  // namespace

void StampObject(int32_t index) {
  if (!ValidIndex(index)) return;
  const uint32_t stamp = Gui().stampBase + static_cast<uint32_t>(index);
  ForEachCell(Gui().objects[static_cast<size_t>(index)], [stamp](uint32_t& cell) { cell = stamp; });
}

void UnstampObject(int32_t index) {
  if (!ValidIndex(index)) return;
  const uint32_t stamp = Gui().stampBase + static_cast<uint32_t>(index);
  ForEachCell(Gui().objects[static_cast<size_t>(index)], [stamp](uint32_t& cell) {
    if (cell == stamp) cell = 0;
  });
}

void ResetObjects(int32_t flag) {
  GuiState& g = Gui();
  if (g.stampBase < kStampBaseLimit) {
    g.stampBase += MAX_OBJECTS;
  } else {
    g.stampBase = 0;
    std::fill_n(HitMapCells(), static_cast<size_t>(HITMAP_WIDTH) * HITMAP_HEIGHT, 0u);
  }
  // Type codes go too, so no record past the count keeps one from an earlier
  // screen (a record copied there would otherwise inherit it).
  const int32_t last = std::min(std::max(g.count, 1), MAX_OBJECTS);
  for (int32_t i = 1; i <= last; ++i) ClearObjectRecord(g.objects[static_cast<size_t>(i)], true);

  g.count = 0;
  g.mouseX = 0;
  g.mouseY = 0;
  g.hovered = 0;
  g.prevHovered = 0;
  g.focused = 0;
  g.autoAdvance = false;
  g.advanceTo = 0;
  g.idleTimerStart = 0;  // a new screen starts its idle time afresh
  g.activeWindow.clear();
  g.labelColour = veltounit::MakeColour(255, 255, 255);
  g.keyboardEnabled = true;

  if (flag == 1) ivxfiles::ResetPictureStore();
  veltounit::ClearMouseButtons();
  g.activated = 0;
  ForgetLookup();
  ApplyCursor(CursorPath("ARROW"));
}

std::string GetActivatedObject() {
  const int32_t index = Gui().activated;
  if (!ValidIndex(index)) return "";
  return Gui().objects[static_cast<size_t>(index)].name;
}

void ClearActivatedObject() { Gui().activated = 0; }

bool IsCloseRequested() { return GetObjectValue("exit") == "4" || GetObjectValue("wnd_exit") == "4"; }

int32_t GetLastCreatedObject() { return Gui().lastCreated; }

void copy_object_memory(int32_t source, int32_t destination, int32_t count) {
  GuiState& g = Gui();
  if (count == 0) count = g.count;
  // 64-bit sums: the arguments come from callers unchecked.
  if (static_cast<int64_t>(destination) + count > MAX_OBJECTS ||
      static_cast<int64_t>(source) + count > MAX_OBJECTS || source < 1 || destination < 1 || count < 1) {
    veltounit::WriteCentred("Error Calling copy_object_memory , out of object array bounds");
    return;
  }
  // Overlapping ranges copy as if through a buffer, so every destination record
  // receives the source record as it was before the copy began.
  std::vector<GuiObject> copies(g.objects.begin() + source, g.objects.begin() + source + count + 1);
  for (int32_t j = 0; j <= count; ++j) {
    GuiObject& to = g.objects[static_cast<size_t>(destination) + static_cast<size_t>(j)];
    const int32_t keepType = to.typeCode;
    to = copies[static_cast<size_t>(j)];
    to.typeCode = keepType;
  }
  ForgetLookup();
}

int32_t ObjectCount() { return Gui().count; }

std::string GetObjectText(int32_t index, int32_t field) {
  if (!ValidIndex(index)) return "";
  const GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  switch (field) {
    case 1: return o.name;
    case 2: return o.type;
    case 3: return o.value;
    case 4: return o.sound;
    case 5: return o.cursor;
    case 6: return o.extra1;
    case 7: return o.owningWindow;
    case 8: return o.text8;
    default: return "";
  }
}

int32_t GetObjectNumber(int32_t index, int32_t field) {
  if (!ValidIndex(index)) return 0;
  const GuiObject& o = Gui().objects[static_cast<size_t>(index)];
  switch (field) {
    case 1: return o.x1;
    case 2: return o.y1;
    case 3: return o.x2;
    case 4: return o.y2;
    case 5: return o.extra2;
    case 6: return o.typeCode;
    default: return 0;
  }
}

std::string GetObjectName(int32_t index) { return GetObjectText(index, 1); }

}  // namespace veltogui
