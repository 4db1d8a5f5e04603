// Declarations the layers above find missing from the platform subset.  Each
// one added here is implemented in platform/ with its real Win32 behaviour.
//
// This file is read before the subset declares its own types, so it spells
// them out: HWND is `struct HWND__*`, LONG is int32_t (the same types the
// subset declares afterwards).
#pragma once

#include <cstdint>

struct HWND__;

// The window's style (GWL_STYLE) or extended style (GWL_EXSTYLE) as given to
// CreateWindowExA; 0 for an unknown window or index.
int32_t GetWindowLongA(HWND__* hwnd, int index);
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
