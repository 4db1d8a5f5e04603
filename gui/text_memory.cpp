// The text memory: up to 1024 remembered texts, saved and loaded as a text
// file, and the fast text system that offers the typist of a text box the rest
// of a remembered text.
#include <fstream>

#include "gfx/veltounit.h"
#include "gui/gui_state.h"
#include "gui/text_files.h"
#include "platform/paths.h"

namespace veltogui {

namespace {

// A text box in basic mode gets at most this many candidate completions
// looked at; a later candidate takes the last place.
constexpr size_t kMaxCandidates = 10;

// The count line of a memory file: a decimal number, limited to 0..limit.
// False for anything that is not a number at all.
bool ReadCount(const std::string& line, int32_t limit, int32_t& count) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
  const size_t digitsFrom = i;
  int64_t value = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    if (value <= limit) value = value * 10 + (line[i] - '0');  // stops growing once past the limit
    ++i;
  }
  if (i == digitsFrom) return false;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i != line.size()) return false;
  if (negative) value = 0;
  count = static_cast<int32_t>(value > limit ? limit : value);
  return true;
}

void CouldNot(const char* what) { veltounit::AskUser(" ", what, "OK", "!", ""); }

void SaveMemory(const std::string& fileName) {
  GuiState& g = Gui();
  std::ofstream out(NativePath(fileName), std::ios::binary | std::ios::trunc);
  if (!out) {
    CouldNot("Could not save Text_Memory");
    return;
  }
  out << g.textMemoryCount << '\n';
  for (int32_t i = 1; i <= g.textMemoryCount; ++i) out << AsFileLine(g.textMemory[static_cast<size_t>(i)]) << '\n';
  out.flush();
  if (!out) CouldNot("Could not save Text_Memory");
}

// A file that opens but does not start with a count is no memory file: it is
// refused like a missing one and the memory stays as it was.  A file that
// ends before the count it promises gives the entries it holds.
void LoadMemory(const std::string& fileName) {
  std::ifstream in(NativePath(fileName), std::ios::binary);
  std::string line;
  int32_t count = 0;
  if (!in || !ReadBoundedLine(in, line) || !ReadCount(line, TEXT_MEMORY_SIZE, count)) {
    CouldNot("Could not load Text_Memory");
    return;
  }
  std::array<std::string, TEXT_MEMORY_SIZE + 1> entries;
  int32_t read = 0;
  while (read < count && ReadBoundedLine(in, line)) entries[static_cast<size_t>(++read)] = line;
  GuiState& g = Gui();
  g.textMemory = std::move(entries);
  g.textMemoryCount = read;
}

}  // namespace

std::string FoldText(const std::string& text) {
  std::string out = veltounit::UpperCaseText(text);
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
      case 0xA2: c = static_cast<char>(0xC1); break;
      case 0xB8: c = static_cast<char>(0xC5); break;
      case 0xB9: c = static_cast<char>(0xC7); break;
      case 0xBA: c = static_cast<char>(0xC9); break;
      case 0xBC: c = static_cast<char>(0xCF); break;
      case 0xBE: c = static_cast<char>(0xD5); break;
      case 0xBF: c = static_cast<char>(0xD9); break;
      default: break;
    }
  }
  return out;
}

void TextMemory(const std::string& command, const std::string& text) {
  GuiState& g = Gui();
  const std::string word = Upper(command);
  if (word == "ADD") {
    if (g.textMemoryCount < TEXT_MEMORY_SIZE) ++g.textMemoryCount;
    g.textMemory[static_cast<size_t>(g.textMemoryCount)] = text;
  } else if (word == "FREE") {
    veltounit::WriteLine("Free text memory is : " + std::to_string(TEXT_MEMORY_SIZE - g.textMemoryCount));
  } else if (word == "VIEW") {
    for (int32_t i = 1; i <= g.textMemoryCount; ++i) veltounit::WriteCentred(g.textMemory[static_cast<size_t>(i)]);
  } else if (word == "CLEAR") {
    for (int32_t i = 1; i <= g.textMemoryCount; ++i) g.textMemory[static_cast<size_t>(i)].clear();
    g.textMemoryCount = 0;
  } else if (word == "SAVE") {
    SaveMemory(text);
  } else if (word == "LOAD") {
    LoadMemory(text);
  }
}

int32_t TextMemoryCount() { return Gui().textMemoryCount; }

std::string TextMemoryEntry(int32_t i) {
  const GuiState& g = Gui();
  if (i < 1 || i > g.textMemoryCount) return std::string();
  return g.textMemory[static_cast<size_t>(i)];
}

// The typed text is looked for as one consecutive run anywhere inside each
// remembered text, in capitals and with Greek stress marks ignored; the first
// place it occurs in an entry is the one that counts.  An entry the typed text
// already ends (nothing left after the run) offers nothing.  Of the
// candidates, the one whose run starts earliest in its entry wins, the first
// found among equals; a run at the very start of an entry ends the search.
std::string FastText(const std::string& typed) {
  const GuiState& g = Gui();
  if (static_cast<int32_t>(typed.size()) < GetGuiSetting(5) || g.textMemoryCount == 0 || typed.empty()) {
    return std::string();
  }
  const std::string wanted = FoldText(typed);
  struct Candidate {
    std::string rest;
    size_t start;
  };
  std::vector<Candidate> candidates;
  for (int32_t i = 1; i <= g.textMemoryCount; ++i) {
    const std::string& entry = g.textMemory[static_cast<size_t>(i)];
    // Folding changes no lengths, so places in the folded entry are places in
    // the entry itself.
    const size_t at = FoldText(entry).find(wanted);
    if (at == std::string::npos) continue;
    const size_t restFrom = at + wanted.size();
    if (restFrom >= entry.size()) continue;
    Candidate c{entry.substr(restFrom), at};
    if (candidates.size() < kMaxCandidates) {
      candidates.push_back(std::move(c));
    } else {
      candidates.back() = std::move(c);
    }
    if (at == 0) break;
  }
  const Candidate* best = nullptr;
  for (const Candidate& c : candidates) {
    if (best == nullptr || c.start < best->start) best = &c;
  }
  return best != nullptr ? best->rest : std::string();
}

}  // namespace veltogui
