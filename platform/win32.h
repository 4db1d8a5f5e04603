// The one header the game's layers include for window, drawing and system
// services.  On Windows it is the system's own API; everywhere else it is the
// subset that platform/ implements with the same names, values and behaviour.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#include <commdlg.h>
#include <shellapi.h>
#else
#include "platform/win32_subset.h"
#endif

#include "platform/paths.h"
