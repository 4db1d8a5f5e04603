#include "gui/fuzz/fuzz_common.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "gfx/veltounit.h"
#include "gui/VeltoGUI.h"
#include "platform/automation.h"

namespace guifuzz {

namespace {
// Answers waiting in the platform's queue; topped up before every input.
constexpr size_t kScriptedAnswers = 256;
int g_end = -1;
std::string g_folder;

void RecordEnd(int code) { g_end = code; }

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  std::filesystem::remove_all(g_folder, ignored);
}
}  // namespace

void Prepare() {
  static const bool once = [] {
    automation::SetHeadless(true);
    automation::SetVirtualTime(true);
    veltounit::CreateMainWindow("VeltoGUI fuzz", 500, 500, 0);
    for (size_t i = 0; i < kScriptedAnswers; ++i) automation::ScriptMessageBoxAnswer(IDOK);
    veltogui::SetGuiEndHook(RecordEnd);
    char pattern[] = "/tmp/veltogui_fuzz_XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    g_folder = std::string(pattern) + "/";
    std::filesystem::current_path(g_folder);
    std::atexit(RemoveFolder);
    return true;
  }();
  (void)once;
  // One scripted answer went to each box of the previous input.
  for (size_t i = 0; i < automation::MessageBoxes().size(); ++i) automation::ScriptMessageBoxAnswer(IDOK);
  automation::ClearMessageBoxes();
  g_end = -1;
  std::filesystem::current_path(g_folder);
}

const std::string& Folder() { return g_folder; }

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  // An input that did not reach the disk whole would be a different input.
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  if (std::fclose(f) != 0) std::abort();
}

int EndRequested() { return g_end; }

}  // namespace guifuzz
