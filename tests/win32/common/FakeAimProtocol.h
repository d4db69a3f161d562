#pragma once

#include <string>

// What the test programs and the fake AIM client agree on. The client is started as
//   fakeaim.exe <scenario file> <report file> <tag>
// and the tag keeps the names of two clients apart.
namespace brevanto::wine {

// The client sets this manual-reset event once every window of the scenario exists.
inline std::string ReadyEventName(const std::string& tag) {
    return "Local\\BrevantoFakeAim." + tag + ".Ready";
}
// Setting this event ends the client; it writes its report on the way out.
inline std::string QuitEventName(const std::string& tag) {
    return "Local\\BrevantoFakeAim." + tag + ".Quit";
}
// Set by the client when it handles a posted kSyncMessage.
inline std::string SyncEventName(const std::string& tag) {
    return "Local\\BrevantoFakeAim." + tag + ".Sync";
}

// A hidden top-level window of this class, captioned with the tag, takes the commands.
inline constexpr char kControlClass[] = "BrevantoFakeAimControl";

// Sent: wParam = the IM window's index in the scenario; raises it to the front.
inline constexpr unsigned kRaiseMessage = 0x8000 + 1;  // WM_APP + 1
// Sent: writes the report file now; returns 1 when it was written.
inline constexpr unsigned kReportMessage = 0x8000 + 2;
// Posted: sets the sync event. Posted messages are handled in order, so everything the
// caller posted before it (a WM_CLOSE, say) has been handled once the event is set.
inline constexpr unsigned kSyncMessage = 0x8000 + 3;

// How long a client lives at most, so that a runner that dies cannot leave it behind.
inline constexpr unsigned kClientLifetimeMs = 120'000;

}  // namespace brevanto::wine
