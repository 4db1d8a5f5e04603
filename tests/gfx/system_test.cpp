// Clipboard, starting programs, ending the session, and timing; every
// program start goes to a recording runner, so nothing real is started.
#include "window_fixture.h"

namespace gfxtest {
namespace {

using namespace veltounit;

class System : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    automation::ClearCommands();
    automation::SetCommandRunner([this](const automation::CommandRequest&) { return answer; });
  }
  long answer = 0;
};

TEST_F(System, ClipboardTakesAtMost255Characters) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
  CopyTextToClipboard(text);
  EXPECT_EQ(text.substr(0, 255), PasteTextFromClipboard());
  EXPECT_EQ(text.substr(0, 255), automation::ClipboardText());

  CopyTextToClipboard("Play Again ?");
  EXPECT_EQ("Play Again ?", PasteTextFromClipboard());
  automation::SetClipboardText("from elsewhere");
  EXPECT_EQ("from elsewhere", PasteTextFromClipboard());
  CopyTextToClipboard("");
  EXPECT_EQ("", PasteTextFromClipboard());
}

TEST_F(System, RunProgramShowsByWord) {
  const struct {
    const char* word;
    int show;
  } words[] = {{"hidden", SW_HIDE},
               {"MINIMIZED", SW_MINIMIZE},
               {"Maximized", SW_MAXIMIZE},
               {"normal", SW_SHOW},
               {"sideways", SW_SHOW}};
  for (const auto& w : words) {
    automation::ClearCommands();
    RunProgram("l3codecx.exe /quiet", w.word);
    ASSERT_EQ(1u, automation::Commands().size()) << w.word;
    EXPECT_EQ(w.show, automation::Commands()[0].show) << w.word;
    EXPECT_EQ("l3codecx.exe", automation::Commands()[0].argv.at(0));
  }
}

TEST_F(System, RunProcessStartsInTheProgramsFolderAndReportsFailure) {
  answer = 0;
  HANDLE process = RunProcess("C:\\tools\\convert.exe", "in.bmp out.ivx", SW_HIDE, true);
  EXPECT_NE(nullptr, process);
  ASSERT_EQ(1u, automation::Commands().size());
  const auto& request = automation::Commands()[0];
  EXPECT_EQ((std::vector<std::string>{NativePath("C:\\tools\\convert.exe"), "in.bmp", "out.ivx"}), request.argv);
  EXPECT_EQ(NativePath("C:\\tools\\"), NativePath(request.directory));
  EXPECT_EQ(SW_HIDE, request.show);
  CloseHandle(process);
  EXPECT_TRUE(automation::MessageBoxes().empty());

  // A program without a folder runs in the current one.
  automation::ClearCommands();
  process = RunProcess("convert.exe", "", SW_SHOW, false);
  EXPECT_NE(nullptr, process);
  ASSERT_EQ(1u, automation::Commands().size());
  EXPECT_EQ("", automation::Commands()[0].directory);
  EXPECT_EQ(1u, automation::Commands()[0].argv.size());
  CloseHandle(process);

  answer = -1;
  automation::ScriptMessageBoxAnswer(IDOK);
  EXPECT_EQ(nullptr, RunProcess("missing.exe", "", SW_SHOW, true));
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("Could not create process ", automation::MessageBoxes()[0].text);
  EXPECT_EQ("Error Creating Process", automation::MessageBoxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), automation::MessageBoxes()[0].style);

  // RunAndWait says nothing when the start fails.
  automation::ClearMessageBoxes();
  RunAndWait("missing.exe --now", true);
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

TEST_F(System, SessionEndsGoThroughTheSystemsCommands) {
  DWORD before = GetTickCount();
  ShutDownComputer();
  ASSERT_EQ(1u, automation::Commands().size());
  EXPECT_EQ((std::vector<std::string>{"systemctl", "poweroff", "--ignore-inhibitors"}),
            automation::Commands()[0].argv);
  EXPECT_GE(GetTickCount() - before, 10000u);  // the ten seconds of grace, in virtual time

  automation::ClearCommands();
  before = GetTickCount();
  RestartComputer();
  ASSERT_EQ(1u, automation::Commands().size());
  EXPECT_EQ((std::vector<std::string>{"systemctl", "reboot", "--ignore-inhibitors"}),
            automation::Commands()[0].argv);
  EXPECT_GE(GetTickCount() - before, 10000u);

  automation::ClearCommands();
  before = GetTickCount();
  LogOff();
  ASSERT_EQ(1u, automation::Commands().size());
  const std::vector<std::string>& logOff = automation::Commands()[0].argv;
  ASSERT_GE(logOff.size(), 2u);
  EXPECT_EQ("loginctl", logOff[0]);
  EXPECT_EQ("terminate-session", logOff[1]);
  EXPECT_LT(GetTickCount() - before, 1000u);  // logging off does not wait
}

TEST_F(System, DelaySleepsTheGivenTime) {
  const int32_t start = GetTicks();
  Delay(250);
  Delay(-5);  // nothing to wait for
  EXPECT_EQ(250, GetTicks() - start);
}

}  // namespace
}  // namespace gfxtest
