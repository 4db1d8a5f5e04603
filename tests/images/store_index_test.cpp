// The store, the sorted name index with its lookup cache, selection, the
// information numbers, the library log and the store-managing operations.
#include <algorithm>

#include "image_fixture.h"

namespace ivxtest {
namespace {

using namespace ivxfiles;

std::vector<std::string> IndexNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= PictureCount(); ++i) names.push_back(PictureEntry(i).name);
  return names;
}

int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

using StoreTest = ImageTest;

TEST_F(StoreTest, IndexStaysSortedUpperCasedAndFindsNamesInAnyCase) {
  AddPictureName("b", 0, 0, 1, 1);
  AddPictureName("A", 0, 0, 2, 2);
  AddPictureName("c", 0, 0, 3, 3);
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), IndexNames());
  AddPictureName("aa", 0, 0, 4, 4);
  AddPictureName("Zed", 0, 0, 5, 5);
  AddPictureName("0first", 0, 0, 6, 6);
  EXPECT_EQ((std::vector<std::string>{"0FIRST", "A", "AA", "B", "C", "ZED"}), IndexNames());
  for (bool binary : {true, false}) {
    SetBinarySearch(binary);
    EXPECT_EQ(3, LocatePicture("aA"));
    EXPECT_EQ(6, LocatePicture("zed"));
    EXPECT_EQ(1, LocatePicture("0First"));
    EXPECT_EQ(0, LocatePicture("missing"));
  }
  RemovePictureName("A");
  RemovePictureName("zed");
  EXPECT_EQ((std::vector<std::string>{"0FIRST", "AA", "B", "C"}), IndexNames());
  EXPECT_EQ(4, PictureInfo(5));
  EXPECT_EQ("", PictureEntry(5).name);  // the old last slot was cleared
}

TEST_F(StoreTest, StaleCacheFailsOnceWithOneLogRecordThenSearches) {
  // Two entries of one name: removing one leaves the cache on a slot that the
  // shift gave to another name.
  AddPictureName("A", 0, 0, 1, 1);
  AddPictureName("a", 0, 0, 2, 2);
  AddPictureName("B", 0, 0, 3, 3);
  RemovePictureName("A");  // binary search meets the second A (slot 2); B moves to 2
  EXPECT_FALSE(std::filesystem::exists("ivx_stats.dat"));
  EXPECT_EQ(0, LocatePicture("a"));
  const std::string log = ReadFile("ivx_stats.dat");
  EXPECT_EQ(1, CountOf(log, "IVX SESSION START 0.708------------------\n"));
  EXPECT_NE(std::string::npos, log.find("Reason of output : IVX Locate (A) as 2B\n")) << log;
  EXPECT_EQ(1, LocatePicture("A"));  // the failure is no candidate: it searches
  EXPECT_EQ(2, LocatePicture("B"));
  EXPECT_EQ(1, CountOf(ReadFile("ivx_stats.dat"), "SESSION END"));
}

TEST_F(StoreTest, LibraryLogRecordIsWrittenLineByLine) {
  AddPictureName("Board", 0, 0, 1, 1);
  AddPictureName("arrow", 0, 0, 1, 1);
  SetBinarySearch(false);
  WriteLibraryLog("testing");
  SetBinarySearch(true);
  EXPECT_TRUE(WriteLibraryLog("again"));
  EXPECT_EQ(
      "IVX SESSION START 0.708------------------\n"
      "IVX loaded : 2\n"
      "Reason of output : testing\n"
      "BINARY SEARCH WAS OFF\n"
      "1=ARROW 2=BOARD \n"
      "SESSION END---------------------------------\n"
      "IVX SESSION START 0.708------------------\n"
      "IVX loaded : 2\n"
      "Reason of output : again\n"
      "BINARY SEARCH WAS ON\n"
      "1=ARROW 2=BOARD \n"
      "SESSION END---------------------------------\n",
      ReadFile("ivx_stats.dat"));
  EXPECT_EQ("0.708", IvxVersion());
  // A log that cannot take its record (a full disk, as /dev/full is) says so.
  if (std::filesystem::exists("/dev/full")) {
    std::filesystem::remove("ivx_stats.dat");
    std::filesystem::create_symlink("/dev/full", "ivx_stats.dat");
    EXPECT_FALSE(WriteLibraryLog("full"));
    std::filesystem::remove("ivx_stats.dat");
  }
}

TEST_F(StoreTest, HundredTwentyNinthNameIsRefusedAndLogged) {
  for (int i = 0; i < MAX_PICTURES; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "P%03d", 127 - i);  // inserted in descending order
    ASSERT_NE(0, AddPictureName(name, i, 0, i + 1, 1));
  }
  EXPECT_EQ(0, AddPictureName("extra", 0, 0, 1, 1));
  EXPECT_EQ(MAX_PICTURES, PictureCount());
  EXPECT_EQ("P000", PictureEntry(1).name);
  EXPECT_EQ("P127", PictureEntry(128).name);
  EXPECT_EQ(0, LocatePicture("extra"));
  EXPECT_EQ(128, LocatePicture("p127"));
  EXPECT_NE(std::string::npos,
            ReadFile("ivx_stats.dat").find("Reason of output : IVX index full, not added (EXTRA)"));
  std::vector<std::string> names = IndexNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(StoreTest, SelectionInformationNumbersAndMetrics) {
  EXPECT_EQ(2348, PictureInfo(100));
  EXPECT_EQ(1424, PictureInfo(101));
  AddPictureName("pic", 10, 20, 40, 30);  // 30 x 10 cells at columns 11..40, rows 21..30
  EXPECT_EQ(1, SelectPicture("PIC"));
  EXPECT_EQ(10, SelectionLeft());
  EXPECT_EQ(20, SelectionTop());
  EXPECT_EQ(39, SelectionRight());
  EXPECT_EQ(29, SelectionBottom());
  EXPECT_EQ(0, SelectPicture("nothing"));
  EXPECT_EQ(39, SelectionRight());  // unchanged
  EXPECT_EQ(0, SelectPictureByIndex(0));
  EXPECT_EQ(0, SelectPictureByIndex(2));
  EXPECT_EQ(39, PictureMetric("pic", "number"));
  EXPECT_EQ(39, PictureMetric("pic", "MaxX"));
  EXPECT_EQ(29, PictureMetric("pic", "Y2"));
  EXPECT_EQ(10, PictureMetric("pic", "X"));
  EXPECT_EQ(20, PictureMetric("pic", "Y"));
  EXPECT_EQ(29, PictureMetric("pic", "SIZEX"));
  EXPECT_EQ(9, PictureMetric("pic", "SIZEY"));
  EXPECT_EQ(kWindowWidth / 2 - 29 / 2, PictureMetric("pic", "CENTERX"));
  EXPECT_EQ(kWindowHeight / 2 - 9 / 2, PictureMetric("pic", "CENTERY"));
  EXPECT_EQ(kWindowWidth / 2 - 29 / 2 + 39, PictureMetric("pic", "CENTERX2"));
  EXPECT_EQ(kWindowHeight / 2 - 9 / 2 + 29, PictureMetric("pic", "CENTERY2"));
  EXPECT_EQ(0, PictureMetric("pic", "WIDTH"));
  // "ALL" is sized by the last loaded picture.
  WriteFile("w.ivx", "*=ivx*[LENGTH(7)][WIDTH(5)]}");
  LoadIvxPicture("w");
  EXPECT_EQ(7, PictureInfo(1));
  EXPECT_EQ(5, PictureInfo(2));
  EXPECT_EQ(1, SelectPicture("all"));
  EXPECT_EQ(1, SelectionLeft());
  EXPECT_EQ(7, SelectionRight());
  EXPECT_EQ(5, SelectionBottom());
}

TEST_F(StoreTest, CellsOutsideTheStoreReadZeroAndAreNeverWritten) {
  SetStoreCell(2348, 1424, 77);
  SetStoreCell(2349, 1, 5);
  SetStoreCell(0, 5, 5);
  SetStoreCell(5, 1425, 5);
  EXPECT_EQ(77u, StoreCell(2348, 1424));
  EXPECT_EQ(0u, StoreCell(2349, 1));
  EXPECT_EQ(0u, StoreCell(0, 5));
  EXPECT_EQ(0u, StoreCell(-1000000, 5));
  ResetPictureStore();
  EXPECT_EQ(0u, StoreCell(2348, 1424));
}

TEST_F(StoreTest, DeleteReplaceAndCopyWorkOnThePictureOnly) {
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) SetStoreCell(x, y, Rgb(x, y, 9));
  SetStoreCell(5, 1, 1234);  // a neighbour
  AddPictureName("src", 0, 0, 4, 3);
  ReplaceColour("src", Rgb(2, 2, 9), 555);
  EXPECT_EQ(555u, StoreCell(2, 2));
  CopyPicture("src", "copy", 100, 200);
  const IVX_INFO copy = PictureEntry(LocatePicture("copy"));
  EXPECT_EQ(100, copy.x1);
  EXPECT_EQ(200, copy.y1);
  EXPECT_EQ(104, copy.x2);
  EXPECT_EQ(203, copy.y2);
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(StoreCell(x, y), StoreCell(100 + x, 200 + y)) << x << "," << y;
  // Unknown names change nothing, also not the previously selected picture.
  SelectPicture("src");
  ReplaceColour("nope", Rgb(1, 1, 9), 0);
  DeletePicture("nope");
  EXPECT_EQ(Rgb(1, 1, 9), StoreCell(1, 1));
  DeletePicture("SRC");
  EXPECT_EQ(0, LocatePicture("src"));
  EXPECT_TRUE(BinarySearchOn());
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(0u, StoreCell(x, y));
  EXPECT_EQ(1234u, StoreCell(5, 1));
}

TEST_F(StoreTest, TransparencyState) {
  EXPECT_FALSE(TransparencyOn());
  SetTransparentColour(Rgb(255, 0, 255));
  EXPECT_TRUE(TransparencyOn());
  EXPECT_EQ(Rgb(255, 0, 255), GetTransparentColour());
  TransparencyOff();
  EXPECT_FALSE(TransparencyOn());
}

}  // namespace
}  // namespace ivxtest
