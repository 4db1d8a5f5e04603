// Message boxes driven by words instead of flag values, the open-file dialog
// and the library's banner.
#include <cstring>

#include "gfx/veltounit.h"
#include "gfx/window_state.h"

namespace veltounit {

namespace {

UINT ButtonsStyle(const std::string& word) {
  const std::string w = AsciiUpper(word);
  if (w == "OK") return MB_OK;
  if (w == "OK/CANCEL") return MB_OKCANCEL;
  if (w == "ABORT/RETRY/IGNORE") return MB_ABORTRETRYIGNORE;
  if (w == "YES/NO/CANCEL") return MB_YESNOCANCEL;
  if (w == "YES/NO") return MB_YESNO;
  if (w == "RETRY/CANCEL") return MB_RETRYCANCEL;
  return 0;
}

UINT IconStyle(const std::string& word) {
  const std::string w = AsciiUpper(word);
  if (w == "X") return MB_ICONHAND;
  if (w == "?") return MB_ICONQUESTION;
  if (w == "!") return MB_ICONEXCLAMATION;
  if (w == "I") return MB_ICONINFORMATION;
  return 0;
}

UINT ModalityStyle(const std::string& word) {
  const std::string w = AsciiUpper(word);
  if (w == "SYSTEM") return MB_SYSTEMMODAL;
  if (w == "APPLICATION") return MB_TASKMODAL;
  return 0;
}

std::string AnswerWord(int answer) {
  switch (answer) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDABORT: return "abort";
    case IDRETRY: return "retry";
    case IDIGNORE: return "ignore";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return std::string();
  }
}

std::string DialogErrorWord(DWORD error) {
  switch (error) {
    case 12291: return "BUFFFFFFFER";  // the name did not fit the buffer
    case 9: return "MEMALOC";
    case 10: return "MEMLOCK";
    case 1: return "STRUCTSIZE";
    case 2: return "INIT";
    default: return "????????";
  }
}

constexpr const char* kVersion = "0.918";

}  // namespace

std::string AskUser(const std::string& caption, const std::string& text, const std::string& buttons,
                    const std::string& icon, const std::string& modality) {
  const UINT style = ButtonsStyle(buttons) + IconStyle(icon) + ModalityStyle(modality);
  PresentSurface();  // the box stands over the picture as drawn so far
  return AnswerWord(MessageBoxA(nullptr, text.c_str(), caption.c_str(), style));
}

void OpenFileDialog() {
  MessageBoxA(nullptr, "Function not implemented fully yet !", "Veltounit ", MB_OK);
  char fileName[150] = {};
  OPENFILENAMEA request{};
  request.lStructSize = sizeof(OPENFILENAMEA);
  request.hwndOwner = g_window.window;
  request.lpstrFile = fileName;
  request.nMaxFile = sizeof fileName;
  request.lpstrTitle = "Open File";
  if (GetOpenFileNameA(&request)) {
    fileName[sizeof fileName - 1] = '\0';
    MessageBoxA(nullptr, "Success!", "Veltounit ", MB_OK);
    WriteCentred(fileName);
  } else {
    WriteLine(DialogErrorWord(CommDlgExtendedError()));
  }
}

std::string GraphicsVersion() { return kVersion; }

// The banner's text beyond the name and the version is this library's choice.
void ShowGraphicsBanner() {
  const std::string text = std::string("veltounit ") + kVersion + "\n\nGraphics and system layer of Trivane.";
  MessageBoxA(nullptr, text.c_str(), "Velto`s Unit", MB_ICONINFORMATION | MB_SYSTEMMODAL);
}

}  // namespace veltounit
