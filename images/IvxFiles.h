// IvxFiles: the picture library of Trivane.
//
// Every picture the program uses lives in one static store of 2348 x 1424
// colour cells (column-major, indexed from 1).  A picture is a named rectangle
// of that store, recorded in a sorted index of at most 128 names.  Loaders for
// the library's own ".ivx" text format and for BMP, ICO, CUR and JPEG files
// paint into the store at a movable load origin and register the rectangle;
// drawing operations copy a picture's cells to the window through veltounit,
// optionally skipping one transparent colour.  All state is module-level, one
// instance per process.
//
// A picture named (x1, y1, x2, y2) covers columns x1+1 .. x2 and rows
// y1+1 .. y2.  Names are compared without regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32.h"

namespace ivxfiles {

using Colour = uint32_t;

constexpr int32_t STORE_WIDTH = 2348;
constexpr int32_t STORE_HEIGHT = 1424;
constexpr int32_t MAX_PICTURES = 128;

struct IVX_INFO {
  std::string name;  // upper-cased
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
};

// ---------------------------------------------------------- name index ----

// Inserts the upper-cased name in sorted position (duplicates are kept) and
// returns its slot, or 0 when the index already holds 128 names: the name is
// then refused and a library log record says so.
int32_t AddPictureName(const std::string& name, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Index of the entry, 0 when there is none (or when the lookup cache was stale).
int32_t LocatePicture(const std::string& name);
void RemovePictureName(const std::string& name);
// Number of names and the entry at 1..count (an empty record otherwise).
int32_t PictureCount();
IVX_INFO PictureEntry(int32_t index);
// Lookups use binary search (the default) or a linear scan.
void SetBinarySearch(bool on);
bool BinarySearchOn();

// ----------------------------------------------------------- selection ----

// Makes the picture, or "ALL", the current selection; returns its index (1
// for "ALL"), 0 when the name is unknown (the selection then stays as it was).
int32_t SelectPicture(const std::string& name);
// Index 1..count; anything else returns 0 and leaves the selection alone.
int32_t SelectPictureByIndex(int32_t index);
// left = x1, top = y1, right = x2 - 1, bottom = y2 - 1 of the selected entry.
int32_t SelectionLeft();
int32_t SelectionTop();
int32_t SelectionRight();
int32_t SelectionBottom();

// 100 -> 2348, 101 -> 1424, 1..8 -> the information numbers (1 X size and
// 2 Y size of the last loaded picture, 3 its background colour, 5 the count);
// any other number 0.
int32_t PictureInfo(int32_t number);
// Selects the picture and answers "NUMBER"/"MAXX"/"X2", "MAXY"/"Y2", "X",
// "Y", "SIZEX", "SIZEY", "CENTERX", "CENTERY", "CENTERX2", "CENTERY2"; any
// other word 0.
int32_t PictureMetric(const std::string& name, const std::string& word);

// --------------------------------------------------------------- store ----

void ResetPictureStore();
void SetLoadOrigin(int32_t x, int32_t y);
int32_t LoadOriginX();
int32_t LoadOriginY();
// Cells outside 1..2348 x 1424 read as 0; writes there are dropped.
Colour StoreCell(int32_t x, int32_t y);
void SetStoreCell(int32_t x, int32_t y, Colour colour);
// The operations below change nothing when the name is unknown.
void DeletePicture(const std::string& name);
void ReplaceColour(const std::string& name, Colour from, Colour to);
// Copies the whole picture so that its first cell lands on (x + 1, y + 1) and
// registers newName as (x, y, x + width, y + height).
void CopyPicture(const std::string& source, const std::string& newName, int32_t x, int32_t y);

// -------------------------------------------------------- transparency ----

void SetTransparentColour(Colour colour);
void TransparencyOff();
Colour GetTransparentColour();
bool TransparencyOn();

// ------------------------------------------------------------- drawing ----
// Cell (x1 + 1, y1 + 1) of the picture lands on window pixel (x + 1, y + 1).

void DrawPicture(const std::string& name, int32_t x, int32_t y);
void DrawPictureByIndex(int32_t index, int32_t x, int32_t y);
void DrawPictureToScreenCopy(const std::string& name, int32_t x, int32_t y);
void DrawPictureBuffered(const std::string& name, int32_t x, int32_t y);
void DrawPictureCentred(const std::string& name);
void FillPictureArea(const std::string& name, int32_t x, int32_t y, Colour colour);
// The screen copy used by DrawPictureToScreenCopy.
void CaptureScreen();
void ReleaseScreen();

// ----------------------------------------------------------------- log ----

// Appends one record to "ivx_stats.dat" in the current folder; false when
// the record could not be written whole.
bool WriteLibraryLog(const std::string& reason);
std::string IvxVersion();

// ------------------------------------------------------- picture files ----

// Reads <current folder>\<name>.ivx and registers it under `name`.
void LoadIvxPicture(const std::string& name);
// Chooses the loader by the extension after the last ".".
void LoadPicture(const std::string& fileName);
void LoadBmpPicture(const std::string& name);
void LoadIcoPicture(const std::string& name);
void LoadCurPicture(const std::string& name);
void LoadJpegPicture(const std::string& fileName);
// Copies a platform bitmap into the store at the load origin and deletes it.
// Returns 1 when the bitmap could be read.
int32_t ImportBitmap(HBITMAP bitmap);
// 1 when the file is a JPEG whose frame size could be read, else 0.
int32_t ReadJpegSize(const std::string& fileName);
int32_t JpegWidth();
int32_t JpegHeight();
void DrawJpegFile(const std::string& fileName, int32_t x, int32_t y);
// False, after the box "Could not save ico file ...", when the file could not
// be written whole.
bool SaveIcoFile(const std::string& fileName);

// Staging buffers of the last BMP and icon read, indexed from 1.
int32_t BmpWidth();
int32_t BmpHeight();
Colour BmpCell(int32_t x, int32_t y);
void SetBmpCell(int32_t x, int32_t y, Colour colour);
int32_t IconWidth();
int32_t IconHeight();
Colour IconCell(int32_t x, int32_t y);

// ---------------------------------------------------------- operations ----

// channel "RED", "GREEN", "BLUE" or "ALL"; results saturate at 0 and 255.
void ScaleChannel(const std::string& name, const std::string& channel, double percent);
// mode "HORIZONTALY", "VERTICALY" or "COLOR"; any other word changes nothing.
void FlipPicture(const std::string& name, const std::string& mode);
// Component-wise mean of the store cells x1..x2 x y1..y2 that lie in the
// store, truncated; black when none does.
Colour AverageColour(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Shrinks a picture in place by area averaging; a size of 0 keeps the aspect.
void ResizePicture(const std::string& name, int32_t newWidth, int32_t newHeight);
void SetRotationQuality(int32_t quality);
int32_t RotationQuality();
void DrawPictureRotated(const std::string& name, int32_t x, int32_t y, int32_t angle);

// -------------------------------------------------------------- export ----

// Form 1 declares and fills an array; form 2 writes a drawing function.
// False when the file could not be opened or written whole.
bool ExportPictureSource(const std::string& name, const std::string& fileName, const std::string& arrayName,
                         Colour defaultColour, int32_t form);

// ---------------------------------------------------------------- boxes ----

// Every message box of the library goes through one place.  A program that
// must never block (a fuzzing run) installs a handler that receives the box and
// answers instead; nullptr restores the real boxes.  `style` holds MB_ flags.
using BoxHandler = std::function<void(const std::string& caption, const std::string& text, unsigned style)>;
void SetBoxHandler(BoxHandler handler);

}  // namespace ivxfiles
