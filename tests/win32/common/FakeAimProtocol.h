#pragma once

// What the test programs and the fake AIM client agree on. The client is started as
//   fakeaim.exe <report file> [<command> <escaped argument>]...
// (the scenario's commands in fakeaim/FakeAim.cpp). Once every window of the scenario
// exists it opens a hidden top-level window of this class captioned with the report file's
// path, which takes the commands below.
namespace brevanto::wine {

inline constexpr char kControlClass[] = "BrevantoFakeAimControl";

// Sent: wParam = the IM window's index in the scenario; raises it to the front.
inline constexpr unsigned kRaiseMessage = 0x8000 + 1;  // WM_APP + 1
// Sent: writes the report file now; returns 1 when it was written.
inline constexpr unsigned kReportMessage = 0x8000 + 2;
// Posted: ends the client, which writes its report on the way out.
inline constexpr unsigned kQuitMessage = 0x8000 + 3;

// How long a client lives at most, so that a runner that dies cannot leave it behind.
inline constexpr unsigned kClientLifetimeMs = 120'000;

}  // namespace brevanto::wine
