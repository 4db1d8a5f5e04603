// The object table and the hit map: creation rules, lookups, deletion, resets
// and record copies.
#include "gui_fixture.h"
#include "images/IvxFiles.h"

namespace guitest {
namespace {

using namespace veltogui;

class ObjectTable : public GuiTest {};

TEST_F(ObjectTable, TypeCodesFollowTheKeywordsWhateverTheirCase) {
  EXPECT_EQ(1, ObjectTypeCode("window"));
  EXPECT_EQ(2, ObjectTypeCode("Layer"));
  EXPECT_EQ(3, ObjectTypeCode("TEXTBOX"));
  EXPECT_EQ(13, ObjectTypeCode("textbox-password"));
  EXPECT_EQ(10, ObjectTypeCode("buttonc"));
  EXPECT_EQ(14, ObjectTypeCode("ButtonIvx"));
  EXPECT_EQ(0, ObjectTypeCode("DATA"));
  EXPECT_EQ(0, ObjectTypeCode("slider"));
  EXPECT_EQ(0, ObjectTypeCode(""));
}

TEST_F(ObjectTable, OverlappingObjectsTheUpperWinsAndItsPixelsAreEmptyAfterDeletion) {
  CreateObject("lower", "layer", "1", "", "", "", 10, 10, 60, 60);
  CreateObject("upper", "layer", "1", "", "", "", 40, 40, 100, 100);
  const int lower = FindObject("lower");
  const int upper = FindObject("upper");
  ASSERT_EQ(1, lower);
  ASSERT_EQ(2, upper);
  EXPECT_EQ(lower, ObjectAt(10, 10));
  EXPECT_EQ(lower, ObjectAt(39, 60));
  EXPECT_EQ(upper, ObjectAt(40, 40));
  EXPECT_EQ(upper, ObjectAt(60, 60));
  EXPECT_EQ(upper, ObjectAt(100, 100));
  EXPECT_EQ(0, ObjectAt(101, 100));

  EXPECT_TRUE(RemoveObject("UPPER", "NAME"));
  EXPECT_EQ(0, ObjectAt(40, 40));  // the lower object is not stamped again
  EXPECT_EQ(0, ObjectAt(100, 100));
  EXPECT_EQ(lower, ObjectAt(39, 39));
  EXPECT_EQ(-1, FindObject("upper"));
  EXPECT_EQ(2, ObjectCount());  // slots are never reused before a reset
  EXPECT_EQ(0, GetObjectNumber(2, 6));
  EXPECT_EQ("", GetObjectText(2, 2));
  EXPECT_FALSE(RemoveObject("upper", "NAME"));
}

TEST_F(ObjectTable, SameNameActsOnTheLaterObject) {
  CreateObject("twin", "layer", "1", "w1", "", "", 1, 1, 5, 5);
  CreateObject("twin", "layer", "1", "w2", "", "", 10, 10, 15, 15);
  EXPECT_EQ(2, FindObject("TWIN"));
  SetObjectField("twin", "VALUE", "7", 0);
  EXPECT_EQ("1", GetObjectText(1, 3));
  EXPECT_EQ("7", GetObjectValue("twin"));
  EXPECT_TRUE(RemoveObject("twin", "name"));
  EXPECT_EQ(1, FindObject("twin"));
  EXPECT_EQ("1", GetObjectValue("twin"));
}

TEST_F(ObjectTable, RemovingByOwningWindowDeletesOneObjectPerCall) {
  CreateObject("a", "layer", "1", "panel", "", "", 1, 1, 5, 5);
  CreateObject("b", "layer", "1", "panel", "", "", 10, 10, 15, 15);
  EXPECT_TRUE(RemoveObject("PANEL", "owningwindow"));
  EXPECT_EQ(1, FindObject("a"));
  EXPECT_EQ(-1, FindObject("b"));
  EXPECT_TRUE(RemoveObject("panel", "OWNINGWINDOW"));
  EXPECT_EQ(-1, FindObject("a"));
  EXPECT_FALSE(RemoveObject("panel", "OWNINGWINDOW"));
}

TEST_F(ObjectTable, ANameLookedUpBeforeItExistedIsFoundOnceItExists) {
  EXPECT_EQ(-1, FindObject("later"));
  CreateObject("later", "data", "", "", "", "", 0, 0, 0, 0);
  EXPECT_EQ(1, FindObject("later"));
  EXPECT_TRUE(RemoveObject("later", "NAME"));
  EXPECT_EQ(-1, FindObject("later"));
  // Renaming forgets the cached answer too.
  CreateObject("old", "data", "", "", "", "", 0, 0, 0, 0);
  EXPECT_EQ(2, FindObject("old"));
  SetObjectField("old", "NAME", "new", 0);
  EXPECT_EQ(-1, FindObject("old"));
  EXPECT_EQ(2, FindObject("new"));
}

TEST_F(ObjectTable, TheEmptyNameFindsNoObject) {
  CreateObject("x", "layer", "1", "", "", "", 1, 1, 2, 2);
  RemoveObject("x", "NAME");  // leaves a slot with an empty name
  EXPECT_EQ(-1, FindObject(""));
  EXPECT_EQ(-1, GetObjectMetric("", "X1"));
}

TEST_F(ObjectTable, ATwoHundredFiftyFirstObjectIsRefused) {
  for (int i = 1; i <= 250; ++i) {
    CreateObject("o" + std::to_string(i), "layer", "1", "", "", "", i, 1, i, 1);
  }
  EXPECT_EQ(250, ObjectCount());
  EXPECT_EQ(250, GetLastCreatedObject());
  CreateObject("extra", "layer", "1", "", "", "", 300, 300, 310, 310);
  EXPECT_EQ(250, ObjectCount());
  EXPECT_EQ(250, GetLastCreatedObject());
  EXPECT_EQ(-1, FindObject("extra"));
  EXPECT_EQ(0, ObjectAt(305, 305));
  EXPECT_EQ(250, ObjectAt(250, 1));
  EXPECT_EQ("o250", GetObjectName(250));
}

TEST_F(ObjectTable, ResetInvalidatesEveryStampAndTheTwoHundredFirstClearsTheMap) {
  CreateObject("first", "layer", "1", "", "", "", 5, 5, 20, 20);
  const uint32_t before = ObjectAt(10, 10);
  ASSERT_EQ(1u, before);
  ResetObjects(0);
  EXPECT_EQ(0, ObjectAt(10, 10));
  EXPECT_EQ(0, ObjectCount());
  EXPECT_EQ(-1, FindObject("first"));

  // However many resets the run has seen, the map keeps answering: objects
  // stamped just before a reset vanish, objects stamped after it are found.
  for (int r = 0; r < 450; ++r) {
    CreateObject("obj", "layer", "1", "", "", "", 30, 30, 40, 40);
    CreateObject("other", "layer", "1", "", "", "", 100 + r % 50, 100, 100 + r % 50, 100);
    ASSERT_EQ(1, ObjectAt(35, 35)) << "reset " << r;
    ASSERT_EQ(2, ObjectAt(100 + r % 50, 100)) << "reset " << r;
    ResetObjects(0);
    ASSERT_EQ(0, ObjectAt(35, 35)) << "reset " << r;
    ASSERT_EQ(0, ObjectAt(100 + r % 50, 100)) << "reset " << r;
  }
}

TEST_F(ObjectTable, ResetWithFlagOneEmptiesThePictureStore) {
  StartWithSkin();
  ASSERT_NE(0, ivxfiles::LocatePicture("btns1"));
  ResetObjects(0);
  EXPECT_NE(0, ivxfiles::LocatePicture("btns1"));
  ResetObjects(1);
  EXPECT_EQ(0, ivxfiles::LocatePicture("btns1"));
}

TEST_F(ObjectTable, HitTestsOutsideTheMapFindNothing) {
  CreateObject("huge", "layer", "1", "", "", "", -100, -100, 5000, 5000);
  EXPECT_EQ(1, ObjectAt(1, 1));
  EXPECT_EQ(1, ObjectAt(2048, 1068));
  EXPECT_EQ(0, ObjectAt(0, 5));
  EXPECT_EQ(0, ObjectAt(5, 0));
  EXPECT_EQ(0, ObjectAt(2049, 5));
  EXPECT_EQ(0, ObjectAt(5, 1069));
  StampObject(0);
  StampObject(251);
  UnstampObject(-3);
  EXPECT_EQ(1, ObjectAt(1, 1));
}

TEST_F(ObjectTable, CommandButtonsAreAtLeastFortyFourWideAndTwentyThreeHigh) {
  CreateObject("ok", "BUTTONC", "OK", "", "", "", 10, 10, 0, 0);
  EXPECT_EQ(44, GetObjectMetric("ok", "X"));
  EXPECT_EQ(23, GetObjectMetric("ok", "Y"));
  EXPECT_EQ("1", GetObjectValue("ok"));
  EXPECT_EQ("OK", GetObjectText(1, 6));
  const std::string caption = "A much longer caption than fits";
  CreateObject("long", "buttonc", caption, "", "", "", 10, 50, 0, 0);
  EXPECT_EQ(veltounit::TextWidth(caption) + 20, GetObjectMetric("long", "X"));
}

TEST_F(ObjectTable, TextSizedTypesTakeTheirRectangleFromTheFont) {
  const int th = veltounit::TextHeight("A");
  CreateObject("box", "textbox", "hello", "", "", "", 10, 20, 200, 0);
  EXPECT_EQ(200, GetObjectX2("box"));
  EXPECT_EQ(20 + th + 8, GetObjectY2("box"));
  CreateObject("lab", "label", "Some label", "", "", "", 5, 6, 0, 0);
  EXPECT_EQ(5 + veltounit::TextWidth("Some label"), GetObjectX2("lab"));
  EXPECT_EQ(6 + veltounit::TextHeight("Some label"), GetObjectY2("lab"));
  CreateObject("bar", "progressbar", "50", "", "", "", 5, 100, 300, 0);
  EXPECT_EQ(300, GetObjectX2("bar"));
  EXPECT_EQ(100 + veltounit::TextHeight("50"), GetObjectY2("bar"));
  CreateObject("plain", "data", "x", "", "", "", 1, 2, 3, 4);
  EXPECT_EQ(4, GetObjectY2("plain"));
  EXPECT_EQ(-1, GetObjectMetric("plain", "Z"));
  EXPECT_EQ(-1, GetObjectMetric("nothing", "X1"));
}

TEST_F(ObjectTable, PictureSizedTypesTakeTheirRectangleFromTheSkin) {
  StartWithSkin();
  // A picture's size is its width less one, so the inclusive rectangle holds
  // exactly the picture's pixels.
  CreateObject("b", "button", "1", "", "", "", 10, 10, 0, 0);
  EXPECT_EQ(19, GetObjectMetric("b", "X"));
  EXPECT_EQ(19, GetObjectMetric("b", "Y"));
  EXPECT_EQ(1, ObjectAt(29, 29));
  EXPECT_EQ(0, ObjectAt(30, 29));
  CreateObject("c", "checkbox", "1", "", "", "", 10, 40, 0, 0);
  EXPECT_EQ(12, GetObjectMetric("c", "X"));
  // "btnl1" is not part of a skin: without it the button has no area.
  CreateObject("bl", "buttonl", "1", "", "", "", 50, 50, 0, 0);
  EXPECT_EQ(0, GetObjectMetric("bl", "X"));
  CreateObject("icon", "icon", "Caption(uk)", "", "", "", 100, 100, 0, 0);
  EXPECT_EQ("1", GetObjectValue("icon"));
  EXPECT_EQ("uk", GetObjectText(FindObject("icon"), 6));
  EXPECT_EQ("Caption", GetObjectText(FindObject("icon"), 8));
  EXPECT_EQ(119, GetObjectX2("icon"));
  EXPECT_EQ(111, GetObjectY2("icon"));
}

TEST_F(ObjectTable, CentredObjectsKeepTheirWidth) {
  CreateObject("ok", "buttonc", "OK", "", "", "", -1, 10, -1, 0);
  EXPECT_EQ((kWidth - 44) / 2, GetObjectX1("ok"));
  EXPECT_EQ(44, GetObjectMetric("ok", "X"));
  EXPECT_EQ(FindObject("ok"), ObjectAt((kWidth - 44) / 2 + 1, 12));
}

TEST_F(ObjectTable, AWindowGetsItsCloseAreaOverTheCloseButton) {
  StartWithSkin();
  CreateObject("main", "window", "Title", "", "", "", 20, 30, 300, 250);
  EXPECT_EQ(1, GetLastCreatedObject());
  const int exit = FindObject("wnd_exit");
  ASSERT_EQ(2, exit);
  EXPECT_EQ(2, GetObjectNumber(exit, 6));
  EXPECT_EQ("SELECT", GetObjectText(exit, 5));
  // Sizes are widths less one: upleft 9, upmiddle 7, uptransection 9,
  // upmiddle2 7 x 23, upright 9, the three buttons 15 x 15.  Behind the
  // buttons 45 / 7 + 3 = 9 tiles; the title gets (280 - 27 - 63) / 7 = 27
  // tiles; the close button is the third after the transection.
  const int x1 = 20 + 9 + 27 * 7 + 9 + 2 + 15 + 2 + 15 + 2;
  EXPECT_EQ(x1, GetObjectX1("wnd_exit"));
  EXPECT_EQ(x1 + 15, GetObjectX2("wnd_exit"));
  EXPECT_EQ(30 + 4, GetObjectY1("wnd_exit"));
  EXPECT_EQ(30 + 4 + 15, GetObjectY2("wnd_exit"));
  EXPECT_EQ(exit, ObjectAt(x1 + 5, 40));
  EXPECT_EQ(1, ObjectAt(100, 100));
  EXPECT_EQ(1, GetFocusedObject());
}

TEST_F(ObjectTable, SetObjectFieldChangesNeitherTypeCodeNorHitMap) {
  CreateObject("thing", "layer", "1", "", "", "", 10, 10, 20, 20);
  SetObjectField("thing", "TYPE", "BUTTONC", 0);
  SetObjectField("thing", "x1", "", 200);
  SetObjectField("thing", "X2", "", 220);
  SetObjectField("thing", "extra2", "", 9);
  SetObjectField("thing", "sound", "ding.wav", 0);
  SetObjectField("thing", "Nonsense", "zzz", 5);
  SetObjectField("missing", "VALUE", "zzz", 5);
  EXPECT_EQ(2, GetObjectNumber(1, 6));
  EXPECT_EQ("BUTTONC", GetObjectText(1, 2));
  EXPECT_EQ(200, GetObjectX1("thing"));
  EXPECT_EQ(9, GetObjectNumber(1, 5));
  EXPECT_EQ("ding.wav", GetObjectText(1, 4));
  EXPECT_EQ(1, ObjectAt(15, 15));
  EXPECT_EQ(0, ObjectAt(210, 15));
}

TEST_F(ObjectTable, SetObjectStateOnlyForCommandButtonsLayersAndPictureButtons) {
  CreateObject("cmd", "buttonc", "Go", "", "", "", 1, 1, 0, 0);
  CreateObject("lay", "layer", "1", "", "", "", 100, 1, 110, 10);
  CreateObject("chk", "checkbox", "1", "", "", "", 200, 1, 0, 0);
  SetObjectState("cmd", 1);
  SetObjectState("lay", 1);
  SetObjectState("chk", 1);
  EXPECT_EQ("4", GetObjectValue("cmd"));
  EXPECT_EQ("3", GetObjectValue("lay"));
  EXPECT_EQ("1", GetObjectValue("chk"));
  SetObjectState("cmd", 0);
  EXPECT_EQ("1", GetObjectValue("cmd"));
  SetObjectState("lay", 7);
  EXPECT_EQ("3", GetObjectValue("lay"));
}

TEST_F(ObjectTable, CopyingRecordsWithinBoundsAndRefusingOutside) {
  CreateObject("a", "layer", "va", "", "", "", 1, 1, 5, 5);
  CreateObject("b", "buttonc", "B", "", "", "", 10, 10, 0, 0);
  CreateObject("c", "label", "vc", "", "", "", 100, 100, 0, 0);
  copy_object_memory(1, 5, 1);  // records 1 and 2 to 5 and 6
  EXPECT_EQ("a", GetObjectName(5));
  EXPECT_EQ("b", GetObjectName(6));
  EXPECT_EQ("va", GetObjectText(5, 3));
  EXPECT_EQ(10, GetObjectNumber(6, 1));
  EXPECT_EQ(0, GetObjectNumber(6, 6));  // the type code is not copied
  EXPECT_EQ(2, ObjectAt(12, 12));       // nor is the hit map touched

  // Overlapping ranges: every destination gets the record as it was.
  copy_object_memory(1, 2, 1);
  EXPECT_EQ("a", GetObjectName(2));
  EXPECT_EQ("b", GetObjectName(3));

  veltounit::SetTextCursor(0, 0);
  copy_object_memory(200, 1, 60);
  EXPECT_GT(veltounit::TextCursorY(), 0);  // the error line was written
  EXPECT_EQ("a", GetObjectName(1));
  copy_object_memory(0, 1, 1);
  copy_object_memory(1, 1, -4);
  copy_object_memory(2147483000, 1, 2147483000);
  EXPECT_EQ("b", GetObjectName(3));
}

TEST_F(ObjectTable, CloseIsRequestedWhileExitOrWindowCloseAreaHoldsFour) {
  EXPECT_FALSE(IsCloseRequested());
  CreateObject("exit", "layer", "1", "", "", "", 1, 1, 5, 5);
  EXPECT_FALSE(IsCloseRequested());
  SetObjectField("exit", "VALUE", "4", 0);
  EXPECT_TRUE(IsCloseRequested());
  SetObjectField("exit", "VALUE", "1", 0);
  CreateObject("wnd_exit", "layer", "4", "", "", "", 10, 10, 15, 15);
  EXPECT_TRUE(IsCloseRequested());
}

TEST_F(ObjectTable, OutOfRangeIndicesReadAsEmptyRecords) {
  EXPECT_EQ("", GetObjectText(0, 1));
  EXPECT_EQ("", GetObjectText(251, 1));
  EXPECT_EQ(0, GetObjectNumber(-1, 1));
  CreateObject("a", "layer", "1", "", "", "", 1, 1, 5, 5);
  EXPECT_EQ("", GetObjectText(1, 9));
  EXPECT_EQ(0, GetObjectNumber(1, 7));
}

}  // namespace
}  // namespace guitest
