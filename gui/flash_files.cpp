// Flash files: the whole object table written to a text file, one value per
// line, and read back so that a screen built once can be restored without
// repeating its CreateObject calls.  Pictures are not part of the file.
#include <fstream>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "gui/text_files.h"
#include "platform/paths.h"

namespace veltogui {

namespace {

constexpr int32_t kTextFields = 8;
constexpr int32_t kNumberFields = 6;
// The highest type code the toolkit knows; see DeflashObjects.
constexpr int32_t kLastTypeCode = TYPE_BUTTONIVX;

void FlashError() { veltounit::AskUser("VeltoGUI Error", "Error Deflashing data ", "OK", "!", ""); }

std::string* TextField(GuiObject& o, int32_t field) {
  switch (field) {
    case 1: return &o.name;
    case 2: return &o.type;
    case 3: return &o.value;
    case 4: return &o.sound;
    case 5: return &o.cursor;
    case 6: return &o.extra1;
    case 7: return &o.owningWindow;
    default: return &o.text8;
  }
}

int32_t* NumberField(GuiObject& o, int32_t field) {
  switch (field) {
    case 1: return &o.x1;
    case 2: return &o.y1;
    case 3: return &o.x2;
    case 4: return &o.y2;
    case 5: return &o.extra2;
    default: return &o.typeCode;
  }
}

// The object count of a flash file: 0..MAX_OBJECTS whatever the line says
// (a number too large for any type counts as the whole table).
int32_t ObjectCountFrom(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i < line.size() && line[i] == '-') return 0;
  if (i < line.size() && line[i] == '+') ++i;
  int64_t value = 0;
  const size_t from = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    if (value <= MAX_OBJECTS) value = value * 10 + (line[i] - '0');
    ++i;
  }
  if (i == from) return 0;
  return static_cast<int32_t>(value > MAX_OBJECTS ? MAX_OBJECTS : value);
}

}  // namespace

void FlashObjects(const std::string& fileName) {
  std::ofstream out(NativePath(fileName), std::ios::binary | std::ios::trunc);
  if (!out) {
    FlashError();
    return;
  }
  GuiState& g = Gui();
  const int32_t count = g.count < 0 ? 0 : (g.count > MAX_OBJECTS ? MAX_OBJECTS : g.count);
  out << count << '\n' << kTextFields << '\n' << kNumberFields << '\n';
  for (int32_t i = 1; i <= count; ++i) {
    GuiObject& o = g.objects[static_cast<size_t>(i)];
    for (int32_t f = 1; f <= kTextFields; ++f) out << AsFileLine(*TextField(o, f)) << '\n';
    for (int32_t f = 1; f <= kNumberFields; ++f) out << *NumberField(o, f) << '\n';
  }
  out.flush();
  if (!out) FlashError();
}

// Whatever the file holds, nothing is written past the table: the count is
// limited to 0..250, a file that ends early gives the records it has begun
// (fields it lacks stay empty or 0, the count is the number of records begun),
// a value that is no whole number reads as 0, and a type code the toolkit does
// not know reads as 0 (a plain data holder) so no drawing or event code ever
// dispatches on a code it has no case for.
void DeflashObjects(const std::string& fileName) {
  std::ifstream in(NativePath(fileName), std::ios::binary);
  if (!in) {
    FlashError();
    return;
  }
  ResetObjects(0);
  GuiState& g = Gui();
  std::string line;
  const int32_t count = ReadBoundedLine(in, line) ? ObjectCountFrom(line) : 0;
  std::string textFields;
  std::string numberFields;
  ReadBoundedLine(in, textFields);
  ReadBoundedLine(in, numberFields);
  if (WholeNumber(textFields) != kTextFields || WholeNumber(numberFields) != kNumberFields) {
    veltounit::AskUser("VeltoGUI Error",
                       "It appears that Flash_VeltoGUI runs old code.. Update to the newest VeltoGUI , "
                       "Incorect reading..",
                       "OK", "!", "");
  }
  int32_t begun = 0;
  for (int32_t i = 1; i <= count; ++i) {
    GuiObject& o = g.objects[static_cast<size_t>(i)];
    ClearObjectRecord(o, true);
    bool any = false;
    for (int32_t f = 1; f <= kTextFields; ++f) {
      if (!ReadBoundedLine(in, line)) break;
      *TextField(o, f) = line;
      any = true;
    }
    for (int32_t f = 1; any && f <= kNumberFields; ++f) {
      if (!ReadBoundedLine(in, line)) break;
      *NumberField(o, f) = WholeNumber(line);
    }
    if (!any) break;
    if (o.typeCode < 0 || o.typeCode > kLastTypeCode) o.typeCode = TYPE_DATA;
    begun = i;
    g.count = begun;
    StampObject(i);
  }
  g.count = begun;
}

}  // namespace veltogui
