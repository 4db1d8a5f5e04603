// Flash files: a table written and read back is the same table with the same
// hit answers; the file's exact layout; the messages; and files that are
// short, garbled or promise more than the table holds.
#include <fstream>
#include <random>
#include <sstream>

#include "gui/gui_state.h"
#include "gui_fixture.h"

namespace {

using namespace veltogui;

struct Record {
  std::vector<std::string> texts;
  std::vector<int32_t> numbers;
  bool operator==(const Record&) const = default;
};

std::vector<Record> Table() {
  std::vector<Record> all;
  for (int32_t i = 1; i <= ObjectCount(); ++i) {
    Record r;
    for (int32_t f = 1; f <= 8; ++f) r.texts.push_back(GetObjectText(i, f));
    for (int32_t f = 1; f <= 6; ++f) r.numbers.push_back(GetObjectNumber(i, f));
    all.push_back(r);
  }
  return all;
}

std::vector<int32_t> HitAnswers() {
  std::vector<int32_t> answers;
  for (int y = 0; y < guitest::kHeight; y += 3)
    for (int x = 0; x < guitest::kWidth; x += 3) answers.push_back(ObjectAt(x, y));
  return answers;
}

class FlashFiles : public guitest::GuiTest {
 protected:
  void SetUp() override {
    // The idle timer of an earlier test must not meet this test's clock.
    Gui().idleTimerStart = 0;
    guitest::GuiTest::SetUp();
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream out(root_ + name, std::ios::binary);
    out << bytes;
  }
  std::string FileText(const std::string& name) {
    std::ifstream in(root_ + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // A screen with one object of most kinds and overlapping ones; with
  // `deleteOne` the data object over the first layer is deleted again.
  void BuildScreen(bool deleteOne) {
    CreateObject("main", "WINDOW", "A window", "", "", "ARROW", 10, 10, 400, 300);
    CreateObject("ok", "BUTTON", "1", "main", "click.wav", "SELECT", 30, 40, -1, -1);
    CreateObject("tick", "CHECKBOX", "3", "main", "", "", 30, 80, -1, -1);
    CreateObject("name", "TEXTBOX", "typed", "main", "", "TYPE", 30, 120, 200, -1);
    CreateObject("secret", "TEXTBOX-PASSWORD", "pw", "main", "", "", 30, 160, 200, -1);
    CreateObject("caption", "LABEL", "Label", "main", "", "", 220, 40, -1, -1);
    CreateObject("note", "COMMENT", "Comment", "main", "", "", 220, 60, -1, -1);
    CreateObject("Go", "BUTTONC", "Go on", "main", "", "", 220, 90, -1, -1);
    CreateObject("layer(4,5)", "LAYER", "1", "main", "", "", 250, 150, 300, 200);
    CreateObject("gone", "DATA", "x", "main", "", "", 260, 160, 290, 190);
    CreateObject("bar", "PROGRESSBAR", "40", "main", "", "", 30, 220, 200, -1);
    CreateObject("pic", "ICON", "Hello,chks1", "main", "", "", 300, 220, -1, -1);
    CreateObject("top", "LAYER", "4", "main", "", "", 280, 140, 320, 170);  // over the first layer
    if (deleteOne) {
      ASSERT_TRUE(RemoveObject("gone", "NAME"));
    }
  }
  void ScriptAnswers(int n) {
    for (int i = 0; i < n; ++i) automation::ScriptMessageBoxAnswer(IDOK);
  }
};

TEST_F(FlashFiles, DeflashingTheFlashedTableGivesTheSameTableAndHitAnswers) {
  StartWithSkin();
  BuildScreen(false);
  const std::vector<Record> table = Table();
  const std::vector<int32_t> hits = HitAnswers();
  ASSERT_EQ(14u, table.size());  // with the window's close area
  FlashObjects("screen.flash");

  ResetObjects(0);
  CreateObject("other", "LAYER", "1", "", "", "", 0, 0, 499, 399);
  DeflashObjects("screen.flash");
  EXPECT_EQ(table, Table());
  EXPECT_EQ(hits, HitAnswers());
  EXPECT_EQ(FindObject("top"), ObjectAt(290, 160));
  EXPECT_EQ(-1, FindObject("other"));
  EXPECT_TRUE(automation::MessageBoxes().empty());

  // The restored screen works: a click on the command button latches it.
  DrawAllObjects();
  const int x = GetObjectX1("Go") + 5;
  const int y = GetObjectY1("Go") + 5;
  ClickAt(x, y);
  EXPECT_EQ("Go", GetActivatedObject());
  EXPECT_EQ("4", GetObjectValue("Go"));
}

TEST_F(FlashFiles, ADeletedObjectStaysAnEmptySlotAndWhatLayUnderItAnswersAgain) {
  StartWithSkin();
  BuildScreen(true);
  const int32_t gone = FindObject("layer(4,5)") + 1;
  const int32_t x = 265;
  const int32_t y = 175;
  ASSERT_EQ(0, ObjectAt(x, y)) << "deleting left a hole over the first layer";
  const std::vector<Record> table = Table();
  FlashObjects("screen.flash");
  DeflashObjects("screen.flash");
  EXPECT_EQ(table, Table());
  EXPECT_EQ("", GetObjectName(gone));
  EXPECT_EQ(0, GetObjectNumber(gone, 6));
  // The file holds no hit map: every record is stamped again in index order,
  // so the layer that lay under the deleted object answers there again.
  EXPECT_EQ(FindObject("layer(4,5)"), ObjectAt(x, y));
  EXPECT_EQ(FindObject("top"), ObjectAt(290, 160));
}

TEST_F(FlashFiles, TheFileHoldsTheCountTheFieldCountsAndEveryFieldOnItsOwnLine) {
  CreateObject("a", "DATA", "v", "w", "s", "c", 1, 2, 3, 4);
  CreateObject("b", "LAYER", "1", "", "", "", 5, 6, 7, 8);
  FlashObjects("two.flash");
  EXPECT_EQ(
      "2\n8\n6\n"
      "a\nDATA\nv\ns\nc\n\nw\n\n1\n2\n3\n4\n0\n0\n"
      "b\nLAYER\n1\n\n\n\n\n\n5\n6\n7\n8\n0\n2\n",
      FileText("two.flash"));

  ResetObjects(0);
  FlashObjects("empty.flash");
  EXPECT_EQ("0\n8\n6\n", FileText("empty.flash"));
}

TEST_F(FlashFiles, ALineBreakInATextDoesNotSpoilTheRecordsAfterIt) {
  CreateObject("note", "COMMENT", "two\r\nlines\nhere", "", "", "", 5, 5, 60, 20);
  CreateObject("after", "LAYER", "1", "", "", "", 70, 70, 90, 90);
  FlashObjects("breaks.flash");
  DeflashObjects("breaks.flash");
  ASSERT_EQ(2, ObjectCount());
  EXPECT_EQ("two lines here", GetObjectValue("note"));
  EXPECT_EQ("after", GetObjectName(2));
  EXPECT_EQ(TYPE_LAYER, GetObjectNumber(2, 6));
  EXPECT_EQ(2, ObjectAt(80, 80));
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

TEST_F(FlashFiles, DeflashingForgetsFocusHoverAndActivation) {
  StartWithSkin();
  BuildScreen(true);
  FlashObjects("screen.flash");
  DrawAllObjects();
  ClickAt(GetObjectX1("ok") + 3, GetObjectY1("ok") + 3);
  ASSERT_EQ("ok", GetActivatedObject());
  ASSERT_NE(0, GetHoveredObject());
  DeflashObjects("screen.flash");
  EXPECT_EQ("", GetActivatedObject());
  EXPECT_EQ(0, GetHoveredObject());
  EXPECT_EQ(0, GetFocusedObject());
  EXPECT_EQ("1", GetObjectValue("ok"));  // as it was when flashed
}

TEST_F(FlashFiles, MissingOrUnwritableFilesGiveTheMessageAndLeaveTheTable) {
  CreateObject("kept", "LAYER", "1", "", "", "", 5, 5, 50, 50);
  ScriptAnswers(2);
  DeflashObjects("missing.flash");
  FlashObjects("no such folder/out.flash");
  ASSERT_EQ(2u, automation::MessageBoxes().size());
  for (const automation::MessageBoxRecord& box : automation::MessageBoxes()) {
    EXPECT_EQ("VeltoGUI Error", box.caption);
    EXPECT_EQ("Error Deflashing data ", box.text);
    EXPECT_NE(0u, box.style & MB_ICONEXCLAMATION);
  }
  EXPECT_EQ(1, ObjectCount());
  EXPECT_EQ(1, ObjectAt(20, 20));
}

TEST_F(FlashFiles, OtherFieldCountsWarnButAreReadAsEightAndSix) {
  Write("old.flash",
        "1\n7\n5\n"
        "a\nLAYER\n1\n\n\n\n\n\n10\n10\n20\n20\n0\n2\n");
  ScriptAnswers(1);
  DeflashObjects("old.flash");
  ASSERT_EQ(1u, automation::MessageBoxes().size());
  EXPECT_EQ("VeltoGUI Error", automation::MessageBoxes()[0].caption);
  EXPECT_EQ("It appears that Flash_VeltoGUI runs old code.. Update to the newest VeltoGUI , Incorect reading..",
            automation::MessageBoxes()[0].text);
  EXPECT_EQ(1, ObjectCount());
  EXPECT_EQ(1, ObjectAt(15, 15));
  EXPECT_EQ("a", GetObjectName(1));
}

TEST_F(FlashFiles, CountsAreLimitedToTheTableAndToWhatTheFileHolds) {
  // 300 whole records: the first 250 are read.
  std::string big = "300\n8\n6\n";
  for (int i = 1; i <= 300; ++i) {
    big += "o" + std::to_string(i) + "\nLAYER\n1\n\n\n\n\n\n";
    big += std::to_string(i) + "\n1\n" + std::to_string(i) + "\n1\n0\n2\n";
  }
  Write("big.flash", big);
  DeflashObjects("big.flash");
  EXPECT_EQ(MAX_OBJECTS, ObjectCount());
  EXPECT_EQ("o250", GetObjectName(250));
  EXPECT_EQ(250, ObjectAt(250, 1));
  EXPECT_EQ(0, ObjectAt(251, 1));

  // A huge count and two records, the second cut short.
  Write("short.flash",
        "99999999999999999999\n8\n6\n"
        "a\nLAYER\n1\n\n\n\n\n\n10\n10\n20\n20\n0\n2\n"
        "b\nBUTTONC\n");
  DeflashObjects("short.flash");
  EXPECT_EQ(2, ObjectCount());
  EXPECT_EQ("a", GetObjectName(1));
  EXPECT_EQ("b", GetObjectName(2));
  EXPECT_EQ(0, GetObjectNumber(2, 6));
  EXPECT_EQ(1, ObjectAt(15, 15));

  Write("negative.flash", "-7\n8\n6\na\nLAYER\n");
  DeflashObjects("negative.flash");
  EXPECT_EQ(0, ObjectCount());
  EXPECT_EQ(0, ObjectAt(1, 1));
  EXPECT_TRUE(automation::MessageBoxes().empty());
}

TEST_F(FlashFiles, GarbledValuesReadAsNothingHarmful) {
  Write("garbled.flash",
        "2\n8\n6\n"
        "wide\nLAYER\n1\n\n\n\n\n\n-2147483648\n-2147483648\n2147483647\n2147483647\n0\n2\n"
        "odd\nWHAT\n1\n\n\n\n\n\nten\n99999999999\n5x\n\n7\n99\n");
  DeflashObjects("garbled.flash");
  ASSERT_EQ(2, ObjectCount());
  // The first covers the whole map, clipped.
  EXPECT_EQ(1, ObjectAt(1, 1));
  EXPECT_EQ(1, ObjectAt(HITMAP_WIDTH, HITMAP_HEIGHT));
  EXPECT_EQ(0, ObjectAt(HITMAP_WIDTH + 1, 5));
  // Numbers that are not whole numbers read as 0; an unknown type code as 0.
  EXPECT_EQ(0, GetObjectNumber(2, 1));
  EXPECT_EQ(0, GetObjectNumber(2, 2));
  EXPECT_EQ(0, GetObjectNumber(2, 3));
  EXPECT_EQ(0, GetObjectNumber(2, 4));
  EXPECT_EQ(7, GetObjectNumber(2, 5));
  EXPECT_EQ(0, GetObjectNumber(2, 6));
  DrawAllObjects();
  Passes();
}

TEST_F(FlashFiles, AnyFileAtAllIsSurvived) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    std::string bytes;
    if (round % 2 == 0) bytes = std::to_string(random() % 400) + "\n8\n6\n";
    const int length = static_cast<int>(random() % 20000);
    for (int i = 0; i < length; ++i) {
      const unsigned v = random() & 0xFF;
      // Plenty of line ends and digits, so records and numbers get read.
      bytes.push_back(static_cast<char>(v < 40 ? '\n' : (v < 120 ? '0' + v % 10 : v)));
    }
    Write("noise.flash", bytes);
    ScriptAnswers(1);
    DeflashObjects("noise.flash");
    EXPECT_GE(ObjectCount(), 0);
    EXPECT_LE(ObjectCount(), MAX_OBJECTS);
    for (int32_t i = 1; i <= ObjectCount(); ++i) {
      EXPECT_GE(GetObjectNumber(i, 6), 0);
      EXPECT_LE(GetObjectNumber(i, 6), TYPE_BUTTONIVX);
    }
    const int32_t hit = ObjectAt(static_cast<int32_t>(random() % 600), static_cast<int32_t>(random() % 500));
    EXPECT_GE(hit, 0);
    EXPECT_LE(hit, ObjectCount());
  }
  Write("empty.flash", "");
  ScriptAnswers(1);
  DeflashObjects("empty.flash");
  EXPECT_EQ(0, ObjectCount());
}

// A flash file may hold a text box whose corners are swapped.  Drawing it
// must not end the program, and it fills the same rectangle as its ordered
// twin.  (This waits for the raster to order a rectangle's corners; until
// then the fill runs outside the window's pixels.)
TEST_F(FlashFiles, ATextBoxWithSwappedCornersIsDrawnAsItsOrderedTwin) {
  const std::string record = "1\n8\n6\nbox\nTEXTBOX\n\n\n\n\n\n\n";
  Write("swapped.flash", record + "200\n100\n60\n130\n0\n3\n");
  DeflashObjects("swapped.flash");
  ASSERT_EQ(1, ObjectCount());
  veltounit::ClearWindowColour(veltounit::MakeColour(10, 200, 10));
  DrawAllObjects();
  const veltounit::Colour inside = GetSkinColour("Textbox_In");
  EXPECT_EQ(121 * 7, CountPixels(70, 104, 190, 110, inside));
}

}  // namespace
