#pragma once

#include "suite/Checks.h"

// The Wine suite's tests, each against its own fake AIM client process.
namespace brevanto::wine {

// Reading the client's windows.
void CaptionsAndBuddyNames(Checks& checks);
void TranscriptPane(Checks& checks);
void MyScreenName(Checks& checks);
void ZOrder(Checks& checks);
void AnsiBytes(Checks& checks);
void ShortCopy(Checks& checks);

// Driving the client.
void SendReply(Checks& checks);
void SendEmptyReply(Checks& checks);
void CloseRequest(Checks& checks);

// A client that stops answering.
void StalledWindow(Checks& checks);

}  // namespace brevanto::wine
