// The toolkit's one state instance and the small helpers its files share.
#include "gui/gui_state.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "gfx/veltounit.h"
#include "images/IvxFiles.h"
#include "platform/paths.h"

namespace veltogui {

namespace {

// The hit map is 8.7 MB; it lives on the heap once for the whole run.
std::unique_ptr<uint32_t[]> g_hitMap;

GuiState& MakeState() {
  static GuiState state;
  return state;
}

}  // namespace

GuiState& Gui() {
  static GuiState& state = MakeState();
  return state;
}

namespace {
// Settings are taken when the program starts, before its main code runs.
[[maybe_unused]] const bool g_started = [] {
  InitProgramFolder();
  return true;
}();
}  // namespace

uint32_t* HitMapCells() {
  if (!g_hitMap) {
    g_hitMap = std::make_unique<uint32_t[]>(static_cast<size_t>(HITMAP_WIDTH) * HITMAP_HEIGHT);  // zeroed
  }
  return g_hitMap.get();
}

GuiObject& ObjectRecord(int32_t index) {
  if (ValidIndex(index)) return Gui().objects[static_cast<size_t>(index)];
  static GuiObject scratch;
  scratch = GuiObject{};
  return scratch;
}

void ClearObjectRecord(GuiObject& object, bool typeCodeToo) {
  object.name.clear();
  object.type.clear();
  object.value.clear();
  object.sound.clear();
  object.cursor.clear();
  object.extra1.clear();
  object.owningWindow.clear();
  object.text8.clear();
  object.x1 = object.y1 = object.x2 = object.y2 = 0;
  object.extra2 = 0;
  if (typeCodeToo) object.typeCode = 0;
}

std::string Upper(const std::string& text) { return veltounit::UpperCaseText(text); }

int32_t WholeNumber(const std::string& text) {
  if (text.empty()) return 0;
  size_t i = 0;
  if (text[0] == '-' || text[0] == '+') i = 1;
  if (i == text.size()) return 0;
  for (size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return 0;
  }
  errno = 0;
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN) return 0;
  return static_cast<int32_t>(value);
}

void EndProgram(int32_t exitCode) {
  if (Gui().endHook != nullptr) {
    Gui().endHook(exitCode);
    return;
  }
  std::exit(exitCode);
}

void SetGuiEndHook(GuiEndHook hook) { Gui().endHook = hook; }

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    // Files written on Windows end their lines with CR LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return true;
}

}  // namespace veltogui

namespace veltogui {

bool PictureKnown(const std::string& name) { return !name.empty() && ivxfiles::LocatePicture(name) != 0; }

int32_t PictureWidth(const std::string& name) {
  return PictureKnown(name) ? ivxfiles::PictureMetric(name, "SIZEX") : 0;
}

int32_t PictureHeight(const std::string& name) {
  return PictureKnown(name) ? ivxfiles::PictureMetric(name, "SIZEY") : 0;
}

void DrawStorePicture(const std::string& name, int32_t x, int32_t y) {
  if (PictureKnown(name)) ivxfiles::DrawPicture(name, x, y);
}

}  // namespace veltogui
