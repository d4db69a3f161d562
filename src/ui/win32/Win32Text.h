#pragma once

#include <windows.h>

#include <string>

// Text in and out of our own controls, in the ANSI code page the program holds text in.
namespace brevanto::win32ui {

// The whole text of a window or control, however long.
std::string WindowText(HWND window);

// The text with every line break as the edit and static controls want it: "\r\n". A
// carriage return or a line feed alone each ends a line.
std::string WithCrLf(const std::string& text);

}  // namespace brevanto::win32ui
