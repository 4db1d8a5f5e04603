// Start-up: the resources folder search, "enviroment.nfo", skins by name and
// their fallback, the services of the toolkit.
#include <filesystem>
#include <fstream>

#include "gui_fixture.h"
#include "images/IvxFiles.h"

namespace guitest {
namespace {

using namespace veltogui;

class StartUp : public GuiTest {
 protected:
  std::string CurrentFolder() { return std::filesystem::current_path().string() + "/"; }
  // The start folder as the toolkit spells it: the current folder and "\".
  std::string StartFolder() { return root_.substr(0, root_.size() - 1) + "\\"; }
};

TEST_F(StartUp, ResourcesBesideTheStartFolderAreFoundWithoutASettingsFile) {
  MakeSkin(root_ + "Resources", "skin1");
  veltounit::SetTextCursor(0, 0);
  EXPECT_EQ("skin1", StartGui(""));
  EXPECT_TRUE(g_endCodes.empty());
  EXPECT_TRUE(automation::MessageBoxes().empty());
  EXPECT_EQ(StartFolder() + "Resources\\", ResourcesFolder());
  // Everything loaded, and the program folder is current again.
  EXPECT_EQ(root_, CurrentFolder());
  EXPECT_NE(0, ivxfiles::LocatePicture("upleft"));
  EXPECT_NE(0, ivxfiles::LocatePicture("uk"));
  EXPECT_EQ(36, ivxfiles::PictureCount());
  EXPECT_GT(veltounit::TextCursorY(), 0);  // "Setting Enviroment to ..." was written
  EXPECT_EQ(300000, ScreenSaverDelay());
}

TEST_F(StartUp, SettingsFileKeysAndTheFirstUnknownLineEndsTheReading) {
  MakeSkin(root_ + "Resources", "skin1");
  MakeSkin(root_ + "Resources", "dark");
  WriteText(root_ + "enviroment.nfo", "skin(dark)\nscreensaver_time(2.5)\n\nskin(skin1)\nscreensaver_time(9)\n");
  EXPECT_EQ("dark", StartGui(""));
  EXPECT_EQ(120000, ScreenSaverDelay());
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

TEST_F(StartUp, AnUnknownFirstLineIgnoresTheWholeFile) {
  MakeSkin(root_ + "Resources", "skin1");
  MakeSkin(root_ + "Resources", "dark");
  WriteText(root_ + "enviroment.nfo", "colour(red)\nskin(dark)\nscreensaver_time(1)\n");
  EXPECT_EQ("skin1", StartGui("default"));
  EXPECT_EQ(300000, ScreenSaverDelay());
}

TEST_F(StartUp, OneMinuteSettingStartsTheSaverAfterSixtySeconds) {
  MakeSkin(root_ + "Resources", "skin1");
  WriteText(root_ + "enviroment.nfo", "ScreenSaver_Time(1)\r\n");
  StartGui("");
  EXPECT_EQ(60000, ScreenSaverDelay());
}

TEST_F(StartUp, NegativeOrHugeMinutesDoNotBreakTheTimer) {
  MakeSkin(root_ + "Resources", "skin1");
  WriteText(root_ + "enviroment.nfo", "screensaver_time(-5)\n");
  StartGui("");
  EXPECT_EQ(300000, ScreenSaverDelay());
  WriteText(root_ + "enviroment.nfo", "screensaver_time(2000000)\n");
  StartGui("");
  EXPECT_EQ(2147483647, ScreenSaverDelay());
}

TEST_F(StartUp, DefaultOrEmptyNameTakesTheSettingsFileSkinAndANamedSkinIsLoaded) {
  MakeSkin(root_ + "Resources", "skin1");
  MakeSkin(root_ + "Resources", "dark");
  WriteText(root_ + "enviroment.nfo", "skin(dark)\n");
  EXPECT_EQ("dark", StartGui("DeFaUlT"));
  EXPECT_EQ("skin1", StartGui("skin1"));
  EXPECT_EQ("dark", StartGui(""));
  // Loading a skin again replaces the pictures of the one before.
  EXPECT_EQ(36, ivxfiles::PictureCount());
}

TEST_F(StartUp, EnviromentPathNamesTheResourcesFolder) {
  MakeSkin(root_ + "elsewhere/Res", "skin1");
  MakeSkin(root_ + "Resources", "other");  // beside the start folder, but without skin1
  WriteText(root_ + "enviroment.nfo", "enviroment_path(" + root_ + "elsewhere/Res)\n");
  EXPECT_EQ("skin1", StartGui(""));
  EXPECT_TRUE(automation::MessageBoxes().empty());
  EXPECT_EQ(root_ + "elsewhere/Res\\", ResourcesFolder());
  EXPECT_EQ(root_, CurrentFolder());
}

TEST_F(StartUp, AMissingSkinFallsBackToSkinOneAfterOneMessage) {
  MakeSkin(root_ + "Resources", "skin1");
  automation::ScriptMessageBoxAnswer(IDOK);
  EXPECT_EQ("skin1", StartGui("shiny"));
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  const auto& box = automation::MessageBoxes()[0];
  EXPECT_EQ(" ", box.caption);
  EXPECT_EQ(
      "Could not find shiny skin.. \nYou could try to download it from the VARNIX website..\nContinuing with "
      "default skin..",
      box.text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), box.style & 0xF0u);
  EXPECT_NE(0, ivxfiles::LocatePicture("btns1"));
  EXPECT_EQ(root_, CurrentFolder());
}

TEST_F(StartUp, NoSkinOneStopsTheProgramWithABox) {
  std::filesystem::create_directories(root_ + "Resources/nothing");
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ScriptMessageBoxAnswer(IDOK);
  StartGui("");
  ASSERT_EQ(1u, g_endCodes.size());
  EXPECT_EQ(5, g_endCodes[0]);
  ASSERT_EQ(2u, automation::MessageBoxes().size());
  const auto& box = automation::MessageBoxes()[1];
  EXPECT_EQ("VeltoGUI Could not initialize", box.caption);
  EXPECT_EQ(0u, box.text.find("Could not open the skin folder "));
  EXPECT_NE(std::string::npos, box.text.find("skin1"));
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.style & 0xF0u);
  EXPECT_EQ(root_, CurrentFolder());
}

// The player sees why the program ends: a box, not a line on the error
// stream.
TEST_F(StartUp, ASkinWithoutItsWindowFolderEndsTheProgramWithABox) {
  MakeSkin(root_ + "Resources", "skin1");
  std::filesystem::remove_all(root_ + "Resources/skin1/Window");
  automation::ScriptMessageBoxAnswer(IDOK);
  testing::internal::CaptureStderr();
  StartGui("");
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
  ASSERT_EQ(1u, g_endCodes.size());
  EXPECT_EQ(5, g_endCodes[0]);
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  const auto& box = automation::MessageBoxes()[0];
  EXPECT_EQ("VeltoGUI Could not initialize", box.caption);
  EXPECT_EQ(0u, box.text.find("Could not open the skin folder "));
  EXPECT_NE(std::string::npos, box.text.find("Window"));
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.style & 0xF0u);
  EXPECT_EQ(root_, CurrentFolder());
}

// A relative folder is taken from the start folder, and the whole skin,
// "Window" pictures too, is loaded from it.
TEST_F(StartUp, ARelativeEnviromentPathIsTakenFromTheStartFolder) {
  MakeSkin(root_ + "elsewhere/Res", "skin1");
  WriteText(root_ + "enviroment.nfo", "enviroment_path(elsewhere/Res)\n");
  EXPECT_EQ("skin1", StartGui(""));
  EXPECT_TRUE(automation::MessageBoxes().empty());
  EXPECT_TRUE(g_endCodes.empty());
  EXPECT_EQ(StartFolder() + "elsewhere/Res\\", ResourcesFolder());
  EXPECT_NE(0, ivxfiles::LocatePicture("downleft"));
  EXPECT_NE(0, ivxfiles::LocatePicture("uk"));
  EXPECT_EQ(root_, CurrentFolder());
}

TEST_F(StartUp, NoResourcesFolderShowsTheMessagesOpensThePageAndEnds) {
  automation::ScriptMessageBoxAnswer(IDOK);
  const int before = veltounit::GetTicks();
  EXPECT_EQ("", StartGui(""));
  ASSERT_EQ(1u, g_endCodes.size());
  EXPECT_EQ(1, g_endCodes[0]);
  ASSERT_GE(automation::MessageBoxes().size(), 1u);
  const auto& box = automation::MessageBoxes()[0];
  EXPECT_EQ("VeltoGUI Could not initialize", box.caption);
  EXPECT_EQ(0u, box.text.find("Could not find VARNIX Resources folder.. \nPlease download it"));
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.style & 0xF0u);
  ASSERT_FALSE(automation::Commands().empty());
  const auto& opener = automation::Commands().back();
  ASSERT_EQ(2u, opener.argv.size());
  EXPECT_NE(std::string::npos, opener.argv[1].find(".example/"));
  EXPECT_GE(veltounit::GetTicks() - before, 3000);
  EXPECT_EQ(StartFolder() + "Resources\\", ResourcesFolder());
}

TEST_F(StartUp, WhenThePageCannotBeOpenedTheAddressIsShown) {
  automation::SetCommandRunner([](const automation::CommandRequest&) { return -1L; });
  automation::ScriptMessageBoxAnswer(IDOK);
  automation::ScriptMessageBoxAnswer(IDOK);
  StartGui("");
  ASSERT_EQ(2u, automation::MessageBoxes().size());
  EXPECT_EQ(0u,
            automation::MessageBoxes()[1].text.find("Could not find Internet Explorer.. \nPlease visit https://"));
  EXPECT_EQ(1u, g_endCodes.size());
}

TEST_F(StartUp, TheToolkitClipboardStartsWithTheSystemClipboard) {
  MakeSkin(root_ + "Resources", "skin1");
  automation::SetClipboardText("from the desktop");
  StartGui("");
  EXPECT_EQ("from the desktop", GetToolkitClipboard());
}

TEST_F(StartUp, RunLogAppendsItsTwoLines) {
  WriteRunLog();
  WriteRunLog();
  std::ifstream in(root_ + "VeltoGUI_stats.dat");
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("VeltoGUI SESSION START 0.6999.3------------------", lines[0]);
  EXPECT_EQ("SESSION END---------------------------------", lines[1]);
  EXPECT_EQ(lines[0], lines[2]);
  EXPECT_EQ("0.6999.3", GuiVersion());
}

TEST_F(StartUp, SoundCodecQuestionInstallsOnlyOnYes) {
  MakeSkin(root_ + "Resources", "skin1");
  StartGui("");
  automation::ClearCommands();
  automation::ScriptMessageBoxAnswer(IDNO);
  CheckSoundCodec();
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("Your computer doesn`t have a required sound codec", automation::MessageBoxes()[0].caption);
  EXPECT_TRUE(automation::Commands().empty());
  EXPECT_TRUE(g_endCodes.empty());

  automation::ScriptMessageBoxAnswer(IDYES);
  CheckSoundCodec();
  ASSERT_EQ(1u, automation::Commands().size());
  EXPECT_NE(std::string::npos, automation::Commands()[0].argv[0].find("l3codecx.exe"));
  EXPECT_EQ(std::vector<int>{0}, g_endCodes);
}

TEST_F(StartUp, FileExistsOnlyForReadableFiles) {
  WriteText(root_ + "here.txt", "x");
  EXPECT_TRUE(FileExists("here.txt"));
  EXPECT_TRUE(FileExists(root_ + "HERE.TXT"));
  EXPECT_FALSE(FileExists("absent.txt"));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(StartUp, GuiSettingsOneToSevenAndNothingElse) {
  EXPECT_EQ(2, GetGuiSetting(1));
  EXPECT_EQ(10, GetGuiSetting(2));
  EXPECT_EQ(220, GetGuiSetting(3));
  EXPECT_EQ(10, GetGuiSetting(4));
  EXPECT_EQ(3, GetGuiSetting(5));
  SetGuiSetting(5, 4);
  SetGuiSetting(6, 33);
  SetGuiSetting(7, 44);
  SetGuiSetting(8, 99);
  SetGuiSetting(0, 99);
  EXPECT_EQ(4, GetGuiSetting(5));
  EXPECT_EQ(33, GetGuiSetting(6));
  EXPECT_EQ(44, GetGuiSetting(7));
  EXPECT_EQ(0, GetGuiSetting(8));
  EXPECT_EQ(0, GetGuiSetting(0));
}

}  // namespace
}  // namespace guitest
