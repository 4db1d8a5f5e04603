// Mouse pointers by name: the pointer files of the resources folder.
#include <array>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"

namespace veltogui {

namespace {

struct PointerName {
  const char* name;
  const char* file;
};

constexpr std::array<PointerName, 14> kPointers = {{
    {"ARROW", "Pointers\\Arrow.cur"},
    {"NORMAL", "Pointers\\Arrow.cur"},
    {"WAIT", "Pointers\\Wait.cur"},
    {"FORWARD", "Pointers\\Forward.cur"},
    {"RIGHT", "Pointers\\Right.cur"},
    {"LEFT", "Pointers\\Left.cur"},
    {"DOWN", "Pointers\\Down.cur"},
    {"UP", "Pointers\\Up.cur"},
    {"SELECT", "Pointers\\Select.cur"},
    {"TYPE", "Pointers\\Type.cur"},
    {"MAGNIFY", "Pointers\\Magnifier.cur"},
    {"USE", "Pointers\\Use.cur"},
    {"PICK", "Pointers\\Pick.cur"},
    {"RING", "Pointers\\Ring.cur"},
}};

}  // namespace

std::string CursorPath(const std::string& name) {
  const std::string upper = Upper(name);
  for (const PointerName& p : kPointers) {
    if (upper == p.name) return Gui().resourcesFolder + p.file;
  }
  return name;
}

void ApplyCursor(const std::string& file) {
  GuiState& g = Gui();
  if (file == g.currentPointerFile) return;
  veltounit::SetPointerFile(file);
  g.currentPointerFile = file;
}

}  // namespace veltogui
