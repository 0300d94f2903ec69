// Pixel sizes that are given for 96 dots per inch, scaled to a window's resolution.
#pragma once
#include <windows.h>

UINT WindowDpi(HWND hWnd);
int ScaleToWindow(HWND hWnd, int pixelsAt96);
