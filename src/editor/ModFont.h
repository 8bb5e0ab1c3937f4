// The installed TrueType faces, collected into the main window's font list when it loads.
#pragma once

#include "editor/FontListHost.h"

#include <windows.h>

// The font-family enumeration callback: appends the face of each TrueType family to the
// FontListHost that data points at, once per face (the enumeration reports a face once per
// character set). Always 1, so the enumeration goes on.
int CALLBACK AddTrueTypeFace(const LOGFONTW* logFont, const TEXTMETRICW* textMetric, DWORD fontType, LPARAM data);

// Enumerates every installed font family (no face filter) into fonts through AddTrueTypeFace.
void AddTrueTypeFaces(FontListHost& fonts);
