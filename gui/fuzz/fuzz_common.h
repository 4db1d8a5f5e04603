// Shared set-up of the toolkit's fuzzing entries: a headless window, a
// scratch folder of its own as the current folder for the whole run, every
// box answered OK, and the toolkit's ends of the program recorded instead of
// ending the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace guifuzz {

// Called at the start of every input.
void Prepare();
// The scratch folder (with a trailing "/").
const std::string& Folder();
// Writes bytes as a file, relative to the current folder.
void WriteBytes(const std::string& path, std::string_view bytes);
// Exit code the toolkit asked for during the current input, -1 for none.
int EndRequested();

}  // namespace guifuzz
