// Sizes of the skin pictures, shared by the pictures and the contact sheet.
#pragma once

namespace datagen {

// Window frame.  The toolkit measures a picture as one less than its real
// size (the store's "sizex" is the last column's offset) and steps tiles by
// that measure, so neighbouring pieces share one column or row: repeated
// tiles are two pixels long with both columns (rows) alike, and the button
// strip three pixels wide.  The title bar is 28 pixels tall: drawn at y = 1
// it covers rows 2 .. 29 and the game's board picture starts at row 29.
constexpr int kTitleHeight = 28;
constexpr int kTitleTileWidth = 2;  // "upmiddle", "up2middle"
constexpr int kStripTileWidth = 3;  // "upmiddle2"
constexpr int kJoinWidth = 14;      // "uptransection", "up2transection"
constexpr int kEdgeWidth = 6;       // "upleft", "upright", side edges, bottom corners
constexpr int kEdgeTileLength = 2;  // "middleleft", "middle2left", "middleright" (height), "downmiddle" (width)
// The left edge's tiles reach down to where the bottom corner starts only when
// "downright" measures 4 or less, so the bottom pieces are 5 pixels tall.
constexpr int kBottomHeight = 5;  // "downleft", "downmiddle", "downright"
// Three buttons measured 18 wide: the strip (3 + 18 * 3 / 2 tiles of 2) is
// then exactly the buttons and their gaps, so the close button ends where the
// top-right piece starts, which is where the window's close area is made.
constexpr int kFrameButtonWidth = 19;
constexpr int kFrameButtonHeight = 17;

// Controls.
constexpr int kSmallButton = 20;  // "btns1".."btns3"
constexpr int kSmallCheck = 16;   // "chks1".."chks3"
constexpr int kArrowButton = 16;  // "wnddn", "wndup", "wndlt", "wndrt"

// Keyboard key pictures.
constexpr int kKeyHeight = 20;
constexpr int kLetterKeyWidth = 22;
constexpr int kControlKeyWidth = 34;
constexpr int kShiftKeyWidth = 38;
constexpr int kAltKeyWidth = 28;
constexpr int kPlusWidth = 14;

// Language flags, shown 40 pixels from the right and 20 from the bottom.
constexpr int kFlagWidth = 27;
constexpr int kFlagHeight = 18;

}  // namespace datagen
