// The text memory: adding past its size, its file format, saving and loading
// (also of files that are damaged or not memory files at all), the lines it
// writes on the window, and the completions of the fast text system.
#include <fstream>
#include <random>
#include <sstream>

#include "gui/gui_state.h"
#include "gui_fixture.h"

namespace {

using namespace veltogui;

class TextMemoryTest : public guitest::GuiTest {
 protected:
  void SetUp() override {
    // The idle timer of an earlier test must not meet this test's clock.
    Gui().idleTimerStart = 0;
    guitest::GuiTest::SetUp();
    TextMemory("CLEAR", "");
    SetGuiSetting(5, 3);
  }
  void TearDown() override {
    TextMemory("CLEAR", "");
    guitest::GuiTest::TearDown();
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> all;
    for (int i = 1; i <= TextMemoryCount(); ++i) all.push_back(TextMemoryEntry(i));
    return all;
  }
  std::string FileText(const std::string& name) {
    std::ifstream in(root_ + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream out(root_ + name, std::ios::binary);
    out << bytes;
  }
  std::vector<veltounit::Colour> Screen() {
    std::vector<veltounit::Colour> pixels;
    for (int y = 0; y < guitest::kHeight; ++y)
      for (int x = 0; x < guitest::kWidth; ++x) pixels.push_back(automation::WindowPixel(x, y));
    return pixels;
  }
  void Blank() {
    veltounit::FillRectangle(0, 0, guitest::kWidth - 1, guitest::kHeight - 1, 0, 0);
    veltounit::SetTextCursor(10, 10);
    veltounit::SetTextColour(veltounit::MakeColour(255, 255, 255));
  }
};

TEST_F(TextMemoryTest, AddingPastTheSizeOverwritesTheLastEntry) {
  for (int i = 1; i <= 1025; ++i) TextMemory("add", "text " + std::to_string(i));
  EXPECT_EQ(TEXT_MEMORY_SIZE, TextMemoryCount());
  EXPECT_EQ("text 1", TextMemoryEntry(1));
  EXPECT_EQ("text 1023", TextMemoryEntry(1023));
  EXPECT_EQ("text 1025", TextMemoryEntry(1024));
  EXPECT_EQ("", TextMemoryEntry(1025));
  EXPECT_EQ("", TextMemoryEntry(0));

  // "FREE" writes how many places are left as a line of text.
  Blank();
  TextMemory("FREE", "");
  const std::vector<veltounit::Colour> shown = Screen();
  Blank();
  veltounit::WriteLine("Free text memory is : 0");
  EXPECT_EQ(Screen(), shown);
  Blank();
  veltounit::WriteLine("Free text memory is : 1");
  EXPECT_NE(Screen(), shown);
}

TEST_F(TextMemoryTest, ViewWritesEveryEntryCentred) {
  TextMemory("ADD", "first");
  TextMemory("ADD", "the second one");
  Blank();
  TextMemory("View", "");
  const std::vector<veltounit::Colour> shown = Screen();
  Blank();
  veltounit::WriteCentred("first");
  veltounit::WriteCentred("the second one");
  EXPECT_EQ(Screen(), shown);
}

TEST_F(TextMemoryTest, ClearEmptiesAndOtherCommandsDoNothing) {
  TextMemory("ADD", "a");
  TextMemory("ADD", "b");
  TextMemory("REMOVE", "a");
  TextMemory("", "x");
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), Entries());
  TextMemory("clear", "");
  EXPECT_EQ(0, TextMemoryCount());
  EXPECT_EQ("", TextMemoryEntry(1));
}

TEST_F(TextMemoryTest, SaveClearLoadGivesTheSameEntriesInTheSameOrder) {
  const std::vector<std::string> texts{"one", "", "  spaced  ", "\xC1\xEB\xF6\xE1 \xDC", "last"};
  for (const std::string& t : texts) TextMemory("ADD", t);
  TextMemory("SAVE", "memory.txt");
  EXPECT_EQ("5\none\n\n  spaced  \n\xC1\xEB\xF6\xE1 \xDC\nlast\n", FileText("memory.txt"));
  TextMemory("CLEAR", "");
  TextMemory("ADD", "will be replaced");
  TextMemory("LOAD", "memory.txt");
  EXPECT_EQ(texts, Entries());
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

TEST_F(TextMemoryTest, ALineBreakInAnEntryIsSavedAsASpace) {
  TextMemory("ADD", "one\ntwo");
  TextMemory("ADD", "three");
  TextMemory("SAVE", "breaks.txt");
  TextMemory("LOAD", "breaks.txt");
  EXPECT_EQ((std::vector<std::string>{"one two", "three"}), Entries());
}

TEST_F(TextMemoryTest, LoadReadsFilesWrittenOnWindows) {
  Write("win.txt", "2\r\nalpha\r\nbeta\r\n");
  TextMemory("LOAD", "win.txt");
  EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), Entries());
}

TEST_F(TextMemoryTest, FilesThatCannotBeUsedGiveTheirMessagesAndChangeNothing) {
  TextMemory("ADD", "kept");
  automation::ScriptMessageBoxAnswer(IDOK);
  TextMemory("LOAD", "missing.txt");
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ(" ", automation::MessageBoxes()[0].caption);
  EXPECT_EQ("Could not load Text_Memory", automation::MessageBoxes()[0].text);
  EXPECT_NE(0u, automation::MessageBoxes()[0].style & MB_ICONEXCLAMATION);

  automation::ScriptMessageBoxAnswer(IDOK);
  TextMemory("SAVE", "no such folder/memory.txt");
  ASSERT_EQ(2u, automation::MessageBoxes().size());
  EXPECT_EQ(" ", automation::MessageBoxes()[1].caption);
  EXPECT_EQ("Could not save Text_Memory", automation::MessageBoxes()[1].text);

  // A file that does not start with a count is no memory file.
  Write("notes.txt", "hello\nworld\n");
  automation::ScriptMessageBoxAnswer(IDOK);
  TextMemory("LOAD", "notes.txt");
  ASSERT_EQ(3u, automation::MessageBoxes().size());
  EXPECT_EQ("Could not load Text_Memory", automation::MessageBoxes()[2].text);
  Write("empty.txt", "");
  automation::ScriptMessageBoxAnswer(IDOK);
  TextMemory("LOAD", "empty.txt");
  EXPECT_EQ(4u, automation::MessageBoxes().size());
  EXPECT_EQ((std::vector<std::string>{"kept"}), Entries());
}

TEST_F(TextMemoryTest, LoadSurvivesDamagedFiles) {
  // More promised than the file holds: what is there.
  Write("short.txt", "1000000000000000000000\nonly\ntwo\n");
  TextMemory("LOAD", "short.txt");
  EXPECT_EQ((std::vector<std::string>{"only", "two"}), Entries());

  // More entries than fit: the first 1024.
  std::string many = "5000\n";
  for (int i = 1; i <= 1100; ++i) many += "e" + std::to_string(i) + "\n";
  Write("many.txt", many);
  TextMemory("LOAD", "many.txt");
  EXPECT_EQ(TEXT_MEMORY_SIZE, TextMemoryCount());
  EXPECT_EQ("e1024", TextMemoryEntry(1024));

  // A negative count: an empty memory.
  Write("negative.txt", "-5\na\nb\n");
  TextMemory("LOAD", "negative.txt");
  EXPECT_EQ(0, TextMemoryCount());

  // A line far longer than any text: kept only in part.
  Write("long.txt", "2\n" + std::string(300000, 'x') + "\nend\n");
  TextMemory("LOAD", "long.txt");
  ASSERT_EQ(2, TextMemoryCount());
  EXPECT_GT(TextMemoryEntry(1).size(), 1000u);
  EXPECT_LT(TextMemoryEntry(1).size(), 300000u);
  EXPECT_EQ("end", TextMemoryEntry(2));

  // Random bytes after a count, with zero bytes among them.
  std::mt19937 random(7);
  std::string noise = "30\n";
  for (int i = 0; i < 20000; ++i) noise.push_back(static_cast<char>(random() & 0xFF));
  Write("noise.txt", noise);
  TextMemory("LOAD", "noise.txt");
  EXPECT_LE(TextMemoryCount(), 30);
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

// ------------------------------------------------------------------ fast text --

TEST_F(TextMemoryTest, FastTextCompletesFromTheFirstPlaceTheTypedTextOccurs) {
  TextMemory("ADD", "the big dog");
  TextMemory("ADD", "a cat in a hat");
  EXPECT_EQ(" dog", FastText("big"));
  EXPECT_EQ(" in a hat", FastText("CAT"));  // without regard to case
  EXPECT_EQ("", FastText("cow"));
  EXPECT_EQ("", FastText("dog"));  // nothing left after the run
  EXPECT_EQ("", FastText("the big dog!"));
}

TEST_F(TextMemoryTest, FastTextWantsTheSetLengthAndAMemory) {
  EXPECT_EQ("", FastText("abc"));
  TextMemory("ADD", "abcdef");
  EXPECT_EQ("", FastText("ab"));
  EXPECT_EQ("def", FastText("abc"));
  SetGuiSetting(5, 2);
  EXPECT_EQ("cdef", FastText("ab"));
  SetGuiSetting(5, 0);
  EXPECT_EQ("", FastText(""));
  SetGuiSetting(5, 3);
}

TEST_F(TextMemoryTest, FastTextPrefersTheEarliestRun) {
  TextMemory("ADD", "xx-abc-far");
  TextMemory("ADD", "x-abc-near");
  TextMemory("ADD", "y-abc-equal");
  EXPECT_EQ("-near", FastText("abc"));
  // A run at the very start of an entry ends the search at once.
  TextMemory("ADD", "abc-start");
  TextMemory("ADD", "abc-later");
  EXPECT_EQ("-start", FastText("abc"));
}

TEST_F(TextMemoryTest, FastTextLooksAtTenCandidatesTheLastPlaceTakingLaterOnes) {
  for (int i = 0; i < 10; ++i) TextMemory("ADD", "12345abc" + std::to_string(i));
  TextMemory("ADD", "123abc-later");
  TextMemory("ADD", "1234abc-last");
  // Candidate ten is replaced by each later one; the earliest run among the
  // ten kept is that of the last entry.
  EXPECT_EQ("-last", FastText("abc"));
}

TEST_F(TextMemoryTest, FastTextIgnoresGreekStressMarks) {
  // "Athina" with a stressed iota, typed without the mark and in capitals.
  TextMemory("ADD", "\xC1\xE8\xDE\xED\xE1");
  EXPECT_EQ("", FastText("\xC1\xD8\xC7"));
  EXPECT_EQ("\xED\xE1", FastText("\xE1\xE8\xE7"));
  EXPECT_EQ("\xED\xE1", FastText("\xC1\xC8\xB9"));
}

TEST(FoldText, CapitalsWithoutStressMarks) {
  EXPECT_EQ("ABC \xC1\xC5\xC7\xC9\xCF\xD5\xD9", FoldText("abc \xA2\xB8\xB9\xBA\xBC\xBE\xBF"));
  EXPECT_EQ("\xC1\xC5\xC7\xC9\xCF\xD5\xD9", FoldText("\xDC\xDD\xDE\xDF\xFC\xFD\xFE"));
  EXPECT_EQ("\xD3\xD3", FoldText("\xF3\xF2"));
  EXPECT_EQ("1;\xFA", FoldText("1;\xFA"));
}

}  // namespace
