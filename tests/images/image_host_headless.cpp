// The picture tests' host where the platform layer stands in for Win32: its
// headless window and virtual clock, and every box the library shows goes
// through the real MessageBoxA, answered OK by the automation.
#include "image_fixture.h"
#include "platform/automation.h"

namespace ivxtest {

// LoadJPEG stands on libjpeg-turbo here, the decoder of the references.
const int kJpegLevels = 0;

void StartHost() {
  automation::Reset();
  automation::SetHeadless(true);
  automation::SetVirtualTime(true);
  automation::SetScreenSize(1024, 768);
  ASSERT_EQ(1, veltounit::CreateMainWindow("IvxFiles test", kWindowWidth, kWindowHeight, 0));
  while (automation::PendingMessages() > 0) veltounit::PumpMessages(1);
  for (int i = 0; i < 32; ++i) automation::ScriptMessageBoxAnswer(IDOK);
  ivxfiles::SetBoxHandler(nullptr);
}

std::vector<BoxSeen> Boxes() {
  std::vector<BoxSeen> out;
  for (const auto& box : automation::MessageBoxes()) out.push_back({box.text, box.caption, box.style});
  return out;
}

void ClearBoxes() { automation::ClearMessageBoxes(); }

uint32_t WindowPixel(int x, int y) { return automation::WindowPixel(x, y); }

}  // namespace ivxtest
