// The fake AIM client: fakeaim.exe <scenario file> <report file> <tag>
// Opens the scenario's windows, sets the ready event, serves messages until the quit event
// is set, then writes the report. Exit code 0, or 2 for bad arguments or a bad scenario.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/FakeAimProtocol.h"
#include "fakeaim/FakeAim.h"
#include "fakeaim/Scenario.h"

int main(int argc, char** argv) {
    using namespace brevanto::wine;
    if (argc != 4) {
        std::fprintf(stderr, "usage: fakeaim <scenario file> <report file> <tag>\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "fakeaim: cannot read %s\n", argv[1]);
        return 2;
    }
    std::ostringstream text;
    text << file.rdbuf();
    ScenarioResult parsed = ParseScenario(text.str());
    if (!parsed.scenario) {
        std::fprintf(stderr, "fakeaim: %s: %s\n", argv[1], parsed.error.c_str());
        return 2;
    }
    const std::string tag = argv[3];
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, QuitEventName(tag).c_str());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, ReadyEventName(tag).c_str());
    if (quit == nullptr || ready == nullptr) {
        std::fprintf(stderr, "fakeaim: cannot create the events for %s\n", tag.c_str());
        return 2;
    }
    FakeAim client(std::move(*parsed.scenario), argv[2]);
    std::string error;
    if (!client.Open(tag, error)) {
        std::fprintf(stderr, "fakeaim: %s\n", error.c_str());
        return 3;
    }
    SetEvent(ready);
    client.Run(quit, kClientLifetimeMs);
    const bool written = client.WriteReport();
    CloseHandle(ready);
    CloseHandle(quit);
    return written ? 0 : 4;
}
