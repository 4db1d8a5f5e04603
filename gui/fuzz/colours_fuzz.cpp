// Fuzzing entry for "colours.dat": the whole input is the file.  Every skin
// colour must stay a packed RGB value, and a text box is drawn with them.
#include <cstdlib>

#include "gui/VeltoGUI.h"
#include "gui/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  guifuzz::Prepare();
  guifuzz::WriteBytes("colours.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  veltogui::LoadColours();
  for (const char* key :
       {"Window_Background", "Window_Background_Inactive", "Window_Border", "Window_Title", "Menu_Active",
        "Menu_Active_Text", "Textbox_Out", "Textbox_In", "Textbox_Text", "Textbox_Suggestion", "Comments", "Button",
        "Button_Text", "Button_Active_Text", "Button_Activated_Text", "ProgressBar"}) {
    if (veltogui::GetSkinColour(key) > 0xFFFFFFu) std::abort();
  }
  veltogui::DrawTextBox("colours", 10, 10, 200, 40);
  return 0;
}
