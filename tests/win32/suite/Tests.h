#pragma once

#include "aim/win32/Win32WindowSystem.h"
#include "suite/Checks.h"
#include "suite/FakeAimProcess.h"

// The Wine suite's tests, each against its own fake AIM client process, reached through
// the real Win32 layer.
namespace brevanto::wine {

// Short, so the hung-client tests stay quick.
inline constexpr unsigned kSuiteSendTimeoutMs = 500;

// Reading the client's windows.
void CaptionsPanesAndZOrder(Checks& checks);
void AnsiBytes(Checks& checks);
void ShortCopySignedOff(Checks& checks);

// Driving the client.
void SendReplies(Checks& checks);
void CloseRequest(Checks& checks);

// A client that stops answering.
void StalledWindow(Checks& checks);

// Text in the active ANSI code page: each runs only under its own code page.
void CodePage1252(Checks& checks);
void CodePage1251(Checks& checks);
void CodePage932(Checks& checks);

}  // namespace brevanto::wine
