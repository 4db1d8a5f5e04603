// JpegLib: decodes a JPEG file into a platform bitmap.  The game program binds
// LoadJPEG by its plain name; the caller selects the bitmap into a memory
// device context, reads or blits it, and deletes it with DeleteObject.
#pragma once

#include "platform/win32.h"

extern "C" {
// A 32-bit top-down bitmap of the decoded picture, or nullptr when the file
// cannot be opened or decoded, or is larger than 16384 pixels on a side or
// 32 million pixels in all (a limit that keeps one picture's memory bounded).
HBITMAP LoadJPEG(const char* path);
}
