#include "messages.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace trivane {

namespace {
MessageHandler g_handler = nullptr;
}

void SetMessageHandler(MessageHandler handler) { g_handler = handler; }

int ShowEngineMessage(const std::string& text, const std::string& caption, unsigned style) {
  if (g_handler != nullptr) return g_handler(text.c_str(), caption.c_str(), style);
#if defined(_WIN32)
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
#else
  // No window system to ask: say it where a developer will see it and give the
  // answer that changes nothing (OK, or No to a question).
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  return (style & 0x0F) == 0x04 ? ANSWER_NO : ANSWER_OK;
#endif
}

std::string IntToText(uint32_t value) { return std::to_string(value); }

}  // namespace trivane
