// The library's own picture format ".ivx": a plain text read one character at
// a time and painted straight into the store at the load origin.  Three
// generations share the outer level and the bracketed commands: "ivx" (every
// statement bracketed), "ivx1" (bracketed header, then "&" and a body of
// compact decimal tokens) and "ivx2" ("ivx1" plus the byte-coded "i" token).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "images/format_readers.h"
#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

enum class Generation { Ivx, Ivx1, Ivx2 };

// Fixed buffer sizes of the format: longer identifiers and further fields
// are ignored.
constexpr size_t kIdentifierLength = 40;
constexpr size_t kCommandFields = 15;

class CharReader {
 public:
  explicit CharReader(std::string_view text) : text_(text) {}
  bool Next(char& c) {
    if (pos_ >= text_.size()) return false;
    c = text_[pos_++];
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// A command field as a signed decimal number; leading blanks are allowed,
// anything else that is not a number (or does not fit 32 bits) counts as 0.
int64_t FieldNumber(std::string_view field) {
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  if (i == field.size()) return 0;
  int64_t value = 0;
  for (; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return 0;
    value = value * 10 + (field[i] - '0');
    if (value > 2147483648LL) return 0;
  }
  value = negative ? -value : value;
  if (value > INT32_MAX || value < INT32_MIN) return 0;
  return value;
}

// Cuts a command at "(", ",", "." and ")" into at most 15 fields.
std::vector<std::string_view> CommandFields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t i = 0; i <= text.size() && fields.size() < kCommandFields; ++i) {
    if (i == text.size() || text[i] == '(' || text[i] == ',' || text[i] == '.' || text[i] == ')') {
      fields.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return fields;
}

void FillBackground() {
  LibraryState& s = State();
  const int64_t ox = s.loadOriginX;
  const int64_t oy = s.loadOriginY;
  const Span cols = ClipSpan(ox + 1, ox + s.info[1], STORE_WIDTH);
  const Span rows = ClipSpan(oy + 1, oy + s.info[2], STORE_HEIGHT);
  const Colour bk = static_cast<Colour>(s.info[3]);
  for (int64_t x = cols.first; x <= cols.last; ++x) {
    for (int64_t y = rows.first; y <= rows.last; ++y) PutCell(x, y, bk);
  }
}

// Runs one bracketed command.  Drawing commands act only in "ivx" files; the
// headers of the later generations know BK, LENGTH and WIDTH alone.
void ExecuteCommand(std::string_view text, bool drawingCommands) {
  LibraryState& s = State();
  const std::vector<std::string_view> fields = CommandFields(text);
  auto arg = [&](size_t k) { return k < fields.size() ? FieldNumber(fields[k]) : 0; };
  const std::string_view word = fields.empty() ? std::string_view() : fields[0];
  if (SameNoCase(word, "BK")) {
    s.info[3] = static_cast<int32_t>(Rgb(arg(1), arg(2), arg(3)));
  } else if (SameNoCase(word, "LENGTH")) {
    s.info[1] = static_cast<int32_t>(arg(1));
  } else if (SameNoCase(word, "WIDTH")) {
    s.info[2] = static_cast<int32_t>(arg(1));
    FillBackground();
  } else if (drawingCommands && SameNoCase(word, "C")) {
    s.currentColour = Rgb(arg(1), arg(2), arg(3));
  } else if (drawingCommands && SameNoCase(word, "P")) {
    PutCell(s.loadOriginX + arg(1), s.loadOriginY + arg(2), s.currentColour);
  }
}

void ReadIvxBody(CharReader& in) {
  std::string text;
  char c = 0;
  while (in.Next(c)) {
    if (c == '[') {
      text.clear();
    } else if (c == ']') {
      ExecuteCommand(text, true);
      text.clear();
    } else if (c == '}') {
      // Ends the command at once with no effect, and the picture with it.
      return;
    } else {
      text += c;
    }
  }
  // A command the file cut short is not run.
}

// A decimal number of a "c" or "p" token; digit runs too long for 32 bits
// count as 0, like any text that is not a number.
struct Decimal {
  int64_t value = 0;
  bool tooLong = false;
  void Add(char digit) {
    if (tooLong) return;
    value = value * 10 + (digit - '0');
    if (value > INT32_MAX) tooLong = true;
  }
  int64_t Get() const { return tooLong ? 0 : value; }
};

void ReadTokenBody(CharReader& in, Generation gen) {
  LibraryState& s = State();
  // Header: bracketed commands up to "&".
  char c = 0;
  for (;;) {
    if (!in.Next(c)) return;
    if (c == '&') break;
    if (c == '[') {
      std::string text;
      for (;;) {
        if (!in.Next(c)) return;
        if (c == ']') break;
        text += c;
      }
      ExecuteCommand(text, false);
    }
  }

  auto isTokenLetter = [gen](char ch) { return ch == 'c' || ch == 'p' || (ch == 'i' && gen == Generation::Ivx2); };
  std::optional<char> pending;
  for (;;) {
    if (pending) {
      c = *pending;
      pending.reset();
    } else if (!in.Next(c)) {
      return;
    }
    bool endOfBody = false;
    if (c == 'c' || c == 'p') {
      const size_t wanted = c == 'c' ? 3 : 2;
      std::array<int64_t, 3> numbers{};
      size_t field = 0;
      Decimal text;
      char ch = 0;
      for (;;) {
        if (!in.Next(ch)) {
          endOfBody = true;
          break;
        }
        if (ch >= '0' && ch <= '9') {
          text.Add(ch);
        } else if (ch == ',') {
          if (field < wanted) numbers[field] = text.Get();
          ++field;
          text = Decimal{};
        } else if (isTokenLetter(ch)) {
          pending = ch;
          break;
        } else if (ch == '}') {
          endOfBody = true;
          break;
        }
      }
      if (field < wanted) numbers[field] = text.Get();
      if (c == 'c') {
        s.currentColour = Rgb(numbers[0], numbers[1], numbers[2]);
      } else {
        PutCell(s.loadOriginX + numbers[0], s.loadOriginY + numbers[1], s.currentColour);
      }
    } else if (c == 'i' && gen == Generation::Ivx2) {
      std::array<int64_t, 2> numbers{};
      size_t field = 0;
      char ch = 0;
      for (;;) {
        if (!in.Next(ch)) {
          endOfBody = true;
          break;
        }
        if (ch == ',') {
          ++field;
        } else if (isTokenLetter(ch)) {
          pending = ch;
          break;
        } else if (ch == '}') {
          endOfBody = true;
          break;
        } else if (field < 2) {
          numbers[field] += static_cast<unsigned char>(ch);
        }
      }
      PutCell(s.loadOriginX + numbers[0], s.loadOriginY + numbers[1], s.currentColour);
    } else if (c == '}') {
      return;
    }
    if (endOfBody) return;
  }
}

}  // namespace

namespace detail {

void PaintIvxText(std::string_view text, const std::string& name) {
  CharReader in(text);
  char c = 0;
  for (;;) {
    if (!in.Next(c)) {
      // The file ended without saying what it is (an empty file, or one that
      // is no picture at all): reported as an unknown identifier rather than
      // registered as if it had loaded.
      AskBox("Error", "Could not open file " + name + ".ivx,it contains an invalid id", "OK", "!", "application");
      return;
    }
    if (c == '}') return;
    if (c != '*') continue;
    // Identifier header: skip to "=", then the identifier up to the next "*".
    while (in.Next(c) && c != '=') {
    }
    std::string id;
    while (in.Next(c) && c != '*') {
      if (id.size() < kIdentifierLength) id += c;
    }
    if (id == "ivx") {
      ReadIvxBody(in);
    } else if (id == "ivx1") {
      ReadTokenBody(in, Generation::Ivx1);
    } else if (id == "ivx2") {
      ReadTokenBody(in, Generation::Ivx2);
    } else {
      AskBox("Error", "Could not open file " + name + ".ivx,it contains an invalid id", "OK", "!", "application");
    }
    return;
  }
}

}  // namespace detail

void LoadIvxPicture(const std::string& name) {
  char buffer[4 * MAX_PATH] = {};
  const DWORD got = GetCurrentDirectoryA(sizeof buffer, buffer);
  std::string dir = (got > 0 && got < sizeof buffer) ? std::string(buffer, got) : std::string(".");
  if (dir.empty() || (dir.back() != '\\' && dir.back() != '/')) dir += '\\';
  std::string text;
  if (ReadWholeFile(dir + name + ".ivx", text)) {
    PaintIvxText(text, name);
  } else {
    AskBox("Error", "Could not open file " + name + ".ivx", "OK", "!", "application");
  }
  // Registered in every case, also when the file could not be read: the name
  // then points at whatever the store holds at the origin.
  const LibraryState& s = State();
  AddPictureName(name, s.loadOriginX, s.loadOriginY,
                 static_cast<int32_t>(static_cast<int64_t>(s.loadOriginX) + s.info[1]),
                 static_cast<int32_t>(static_cast<int64_t>(s.loadOriginY) + s.info[2]));
}

}  // namespace ivxfiles
