// Boxes, sounds, file names, pictures, clipboard, programs, time and dialogs.
#include <png.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "fixture.h"

namespace {

using Services = HeadlessWindow;

TEST_F(Services, MessageBoxesAnswerFromTheScriptAndAreRecorded) {
  automation::ScriptMessageBoxAnswer(IDYES);
  automation::ScriptMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "Play Again ?", "Victory!", MB_YESNO | MB_ICONINFORMATION), IDYES);
  EXPECT_EQ(MessageBoxA(hwnd, "Second", nullptr, MB_OKCANCEL), IDCANCEL);
  const auto& boxes = automation::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Play Again ?");
  EXPECT_EQ(boxes[0].caption, "Victory!");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(0x44));
  EXPECT_EQ(boxes[0].answer, IDYES);
  EXPECT_EQ(boxes[1].caption, "Error");  // the caption Windows gives when none is passed
  EXPECT_DEATH(MessageBoxA(nullptr, "Nobody answers", "Box", MB_OK), "MessageBoxA would wait");
}

// Keys given while a box is open go to the box: Enter presses the default
// button, Esc answers Cancel, else No, else OK; the close button answers as
// Esc does.  Nothing given while the box is open reaches the window behind.
TEST_F(Services, BoxesTakeTheKeysAndTheCloseButtonWhileOpen) {
  struct Case {
    UINT type;
    std::vector<int> keys;  // pressed in turn while the box waits; 0 = the close button
    int answer;
  };
  const Case cases[] = {
      {MB_YESNO, {VK_RETURN}, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {MB_YESNO, {VK_ESCAPE}, IDNO},
      {MB_YESNO, {0}, IDNO},
      {MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_RETURN}, IDCANCEL},
      {MB_OKCANCEL, {0}, IDCANCEL},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_OK, {0}, IDOK},
      {MB_RETRYCANCEL, {'A', VK_SPACE, VK_ESCAPE}, IDCANCEL},
      // Abort/Retry/Ignore has no Esc answer: the box waits for a button.
      {MB_ABORTRETRYIGNORE, {VK_ESCAPE, 0, VK_RETURN}, IDABORT},
  };
  for (const Case& c : cases) {
    size_t next = 0;
    automation::SetIdleHandler([&] {
      if (next >= c.keys.size()) return false;
      const int key = c.keys[next++];
      if (key == 0) {
        automation::RequestClose();
      } else {
        automation::TapKey(key);
        automation::Click(10, 10);  // clicks behind a box go nowhere
      }
      return true;
    });
    EXPECT_EQ(MessageBoxA(hwnd, "Close the game?", "Box", c.type), c.answer) << c.type;
    automation::SetIdleHandler(nullptr);
    EXPECT_EQ(automation::PendingMessages(), 0) << c.type;
    SeenMessages().clear();
    Drain();
    for (const Seen& m : SeenMessages()) {
      EXPECT_NE(m.message, static_cast<UINT>(WM_KEYDOWN));
      EXPECT_NE(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
      EXPECT_NE(m.message, static_cast<UINT>(WM_CLOSE));
    }
  }
  // Once the box is gone, keys reach the window again.
  automation::TapKey(VK_RETURN);
  SeenMessages().clear();
  Drain();
  bool enter = false;
  for (const Seen& m : SeenMessages()) enter = enter || (m.message == WM_KEYDOWN && m.wParam == VK_RETURN);
  EXPECT_TRUE(enter);
}

// GetCursorPos gives where the pointer is now, also before the messages of a
// jump and a click have been taken.
TEST_F(Services, CursorPositionIsThePointersPositionNow) {
  automation::MoveMouse(1, 1);
  Drain();
  automation::Click(70, 30);
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 70);
  EXPECT_EQ(p.y, 30);
  SeenMessages().clear();
  Drain();
  bool clicked = false;
  for (const Seen& m : SeenMessages())
    if (m.message == WM_LBUTTONDOWN) {
      clicked = true;
      EXPECT_EQ(GET_X_LPARAM(m.lParam), 70);
      EXPECT_EQ(GET_Y_LPARAM(m.lParam), 30);
    }
  EXPECT_TRUE(clicked);
}

std::string WriteWave(const std::string& name) {
  std::vector<unsigned char> f;
  auto u16 = [&f](unsigned v) { f.push_back(v & 0xFF), f.push_back((v >> 8) & 0xFF); };
  auto u32 = [&f](unsigned v) {
    for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF);
  };
  const unsigned samples = 800;
  f.insert(f.end(), {'R', 'I', 'F', 'F'});
  u32(36 + samples * 2);
  f.insert(f.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
  f.insert(f.end(), {'d', 'a', 't', 'a'});
  u32(samples * 2);
  for (unsigned i = 0; i < samples; ++i) u16((i % 20) < 10 ? 3000 : 0xFFFF - 3000);
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
  return name;
}

TEST_F(Services, SoundsArePlayedFromWindowsStyleNamesAndRecorded) {
  mkdir("Sounds", 0755);
  WriteWave("Sounds/place.wav");
  std::ofstream("Sounds/broken.wav") << "not a wave";
  automation::SetAudioOutput(true);  // SDL's dummy driver: decoded and queued, not heard
  EXPECT_TRUE(PlaySoundA("Sounds\\place.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("Sounds\\missing.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("Sounds\\broken.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
  const auto& sounds = automation::Sounds();
  ASSERT_EQ(sounds.size(), 4u);
  EXPECT_EQ(sounds[0].name, "Sounds\\place.wav");
  EXPECT_EQ(sounds[0].path, "Sounds/place.wav");
  EXPECT_EQ(sounds[0].flags, static_cast<DWORD>(0x20001));
  EXPECT_TRUE(sounds[0].played);
  EXPECT_FALSE(sounds[1].played);
  EXPECT_FALSE(sounds[2].played);
  EXPECT_TRUE(sounds[3].name.empty());
  std::remove("Sounds/place.wav");
  std::remove("Sounds/broken.wav");
  rmdir("Sounds");
}

// A wave file whose chunks claim more than the file holds is played as far as
// it goes; one with nothing to play is refused.  The corpus holds the same
// kinds of file for the fuzzing entry.
TEST_F(Services, DamagedWaveFilesAreCutOrRefused) {
  auto wave = [](unsigned claimed, unsigned held, bool withFormat) {
    std::vector<unsigned char> f;
    auto u16 = [&f](unsigned v) { f.push_back(v & 0xFF), f.push_back((v >> 8) & 0xFF); };
    auto u32 = [&f](unsigned v) {
      for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF);
    };
    f.insert(f.end(), {'R', 'I', 'F', 'F'});
    u32(0xFFFFFFF0u);  // the RIFF size is not trusted either
    f.insert(f.end(), {'W', 'A', 'V', 'E'});
    if (withFormat) {
      f.insert(f.end(), {'f', 'm', 't', ' '});
      u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
    }
    f.insert(f.end(), {'d', 'a', 't', 'a'});
    u32(claimed);
    for (unsigned i = 0; i < held; ++i) f.push_back(static_cast<unsigned char>(i * 7));
    return f;
  };
  auto write = [](const char* name, const std::vector<unsigned char>& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  write("claims_4gb.wav", wave(0xFFFFFFF0u, 400, true));
  write("claims_more.wav", wave(1000, 600, true));
  write("empty_data.wav", wave(0, 0, true));
  write("claims_but_empty.wav", wave(5000, 0, true));
  write("no_format.wav", wave(400, 400, false));
  write("whole.wav", wave(400, 400, true));
  EXPECT_TRUE(PlaySoundA("claims_4gb.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA("claims_more.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("empty_data.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("claims_but_empty.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("no_format.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA("whole.wav", nullptr, SND_FILENAME | SND_ASYNC));
  const auto& sounds = automation::Sounds();
  ASSERT_EQ(sounds.size(), 6u);
  EXPECT_EQ(sounds[0].decodedBytes, 400u);  // cut to what the file holds
  EXPECT_EQ(sounds[1].decodedBytes, 600u);
  EXPECT_EQ(sounds[5].decodedBytes, 400u);
  for (const char* name :
       {"claims_4gb.wav", "claims_more.wav", "empty_data.wav", "claims_but_empty.wav", "no_format.wav", "whole.wav"})
    std::remove(name);
}

TEST_F(Services, WindowsFileNamesBecomeNativePaths) {
  EXPECT_EQ(NativePath("Sounds\\place.wav"), "Sounds/place.wav");
  EXPECT_EQ(NativePath("C:\\Windows\\System32\\shutdown.exe"), "/Windows/System32/shutdown.exe");
  EXPECT_EQ(NativePath("Resources\\\\skin1\\"), "Resources/skin1/");
  EXPECT_EQ(NativePath(""), "");
  // Letter case is found as it is on disk, as a Windows file system allows.
  mkdir("Pointers_Case", 0755);
  std::ofstream("Pointers_Case/Arrow.cur") << "x";
  EXPECT_EQ(NativePath("pointers_case\\ARROW.CUR"), "Pointers_Case/Arrow.cur");
  EXPECT_EQ(NativePath("pointers_case\\nothing.cur"), "Pointers_Case/nothing.cur");
  std::remove("Pointers_Case/Arrow.cur");
  rmdir("Pointers_Case");
}

TEST_F(Services, WindowSavesAsPng) {
  Paint(RGB(10, 20, 30));
  SetPixelV(dc, 7, 3, RGB(200, 100, 50));
  ASSERT_TRUE(automation::SaveWindowPng("window.png"));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, "window.png"));
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  EXPECT_EQ(image.width, static_cast<png_uint_32>(kWidth));
  EXPECT_EQ(image.height, static_cast<png_uint_32>(kHeight));
  const size_t row = 3, column = 7;
  const png_byte* p = &pixels[(row * kWidth + column) * 3];
  EXPECT_EQ(p[0], 200);
  EXPECT_EQ(p[1], 100);
  EXPECT_EQ(p[2], 50);
  EXPECT_EQ(pixels[0], 10);
  EXPECT_FALSE(automation::SaveWindowPng("/no/such/folder/window.png"));
  std::remove("window.png");
}

void CopyToClipboard(const std::string& text, size_t blockSize) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
  ASSERT_NE(block, nullptr);
  char* p = static_cast<char*>(GlobalLock(block));
  // NOLINTNEXTLINE(bugprone-not-null-terminated-result): a block shorter than the text is meant to end unterminated
  std::memcpy(p, text.data(), std::min(text.size(), blockSize));
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
  EXPECT_TRUE(CloseClipboard());
}

std::string PasteFromClipboard() {
  if (!OpenClipboard(nullptr)) return "(not opened)";
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  return text;
}

TEST_F(Services, ClipboardTextGoesThroughGlobalBlocks) {
  CopyToClipboard("Trivane \xE1\xE2", 11);
  EXPECT_EQ(automation::ClipboardText(), "Trivane \xE1\xE2");
  EXPECT_EQ(PasteFromClipboard(), "Trivane \xE1\xE2");
  // A block without a terminator is read to its end and no further.
  CopyToClipboard("abcdef", 3);
  EXPECT_EQ(PasteFromClipboard(), "abc");
  EXPECT_FALSE(SetClipboardData(CF_TEXT, nullptr));  // not open
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));
  EmptyClipboard();
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  CloseClipboard();
  EXPECT_EQ(GlobalAlloc(GHND, SIZE_T(1) << 40), nullptr);
}

TEST_F(Services, ProgramsAndSessionCommandsGoThroughTheRunner) {
  automation::SetCommandRunner([](const automation::CommandRequest&) { return 0L; });
  EXPECT_GT(WinExec("\"C:\\Windows\\System32\\shutdown.exe\" -s", SW_SHOW), 31u);
  EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0));
  EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
  TOKEN_PRIVILEGES tp{};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid));
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr));
  EXPECT_TRUE(CloseHandle(token));
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "C:\\Some Folder", nullptr, nullptr, SW_SHOWNORMAL),
            reinterpret_cast<HINSTANCE>(42));
  const auto& commands = automation::Commands();
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].argv, (std::vector<std::string>{"/Windows/System32/shutdown.exe", "-s"}));
  EXPECT_EQ(commands[1].argv, (std::vector<std::string>{"systemctl", "poweroff", "--ignore-inhibitors"}));
  EXPECT_EQ(commands[2].argv, (std::vector<std::string>{"systemctl", "reboot"}));
  EXPECT_EQ(commands[3].argv, (std::vector<std::string>{"xdg-open", "/Some Folder"}));

  automation::SetCommandRunner([](const automation::CommandRequest&) { return -1L; });
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  char line[] = "nothing";
  EXPECT_FALSE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 48, nullptr, nullptr, &si, &pi));
  EXPECT_LE(WinExec("nothing", SW_HIDE), 31u);
}

TEST_F(Services, RealProcessesAreStartedAndWaitedFor) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  char line[] = "sh -c \"cd; exit 3\"";
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                             nullptr, "/tmp", &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  EXPECT_TRUE(CloseHandle(pi.hThread));
  EXPECT_FALSE(CloseHandle(pi.hProcess));
  char missing[] = "/no/such/program --flag";
  EXPECT_FALSE(CreateProcessA(nullptr, missing, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
}

TEST_F(Services, VirtualTimeMakesSleepInstant) {
  automation::SetVirtualTime(true);
  DWORD start = GetTickCount();
  Sleep(10000);
  EXPECT_EQ(GetTickCount() - start, 10000u);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  EXPECT_GE(t.wYear, 2024);
  EXPECT_GE(t.wMonth, 1);
  EXPECT_LE(t.wMonth, 12);
  EXPECT_LE(t.wDayOfWeek, 6);
}

TEST_F(Services, FileDialogAnswersAndItsFailures) {
  char name[150] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrTitle = "Open File";
  automation::ScriptFileDialogAnswer("/tmp/board.ivx");
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(name, "/tmp/board.ivx");
  EXPECT_EQ(ofn.nFileOffset, 5);
  EXPECT_EQ(ofn.nFileExtension, 11);
  automation::ScriptFileDialogAnswer("");  // Cancel
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  automation::ScriptFileDialogAnswer(std::string(200, 'x'));
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  EXPECT_FALSE(GetOpenFileNameA(&ofn));  // nothing scripted, no desktop
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_DIALOGFAILURE));
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));

  LOGFONTA lf{};
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS;
  automation::ScriptFileDialogAnswer("Liberation Serif");
  ASSERT_TRUE(ChooseFontA(&cf));
  EXPECT_STREQ(lf.lfFaceName, "Liberation Serif");
}

}  // namespace
