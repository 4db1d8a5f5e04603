// The engine's message boxes.  Every box the engine shows passes through
// ShowEngineMessage, so a host can route them (the game shows its own dialogs,
// tests answer from a script) and the rules never talk to a window system.
#pragma once

#include <cstdint>
#include <string>

namespace trivane {

constexpr unsigned MB_OK_BOX = 0x00;
constexpr unsigned MB_YESNO_QUESTION = 0x24;  // Yes/No buttons with the question icon
constexpr int ANSWER_OK = 1;
constexpr int ANSWER_YES = 6;
constexpr int ANSWER_NO = 7;

using MessageHandler = int (*)(const char* text, const char* caption, unsigned style);

void SetMessageHandler(MessageHandler handler);
int ShowEngineMessage(const std::string& text, const std::string& caption, unsigned style);

// Numbers inside engine messages: decimal digits, no sign, no leading zeros.
std::string IntToText(uint32_t value);

}  // namespace trivane
