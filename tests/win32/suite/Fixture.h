#pragma once

#include <memory>
#include <string>

#include "aim/win32/Win32WindowSystem.h"
#include "suite/Checks.h"
#include "suite/FakeAimProcess.h"

// What every test starts from: a fake AIM client process with the test's scenario, and
// the real Win32 layer to reach it with.
namespace brevanto::wine {

// The time-out the suite gives sent messages: short, so the hung-client tests stay quick.
inline constexpr unsigned kSuiteSendTimeoutMs = 500;

// Null after recording a failed check when the client could not be started.
inline std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const ScenarioText& scenario) {
    std::string error;
    auto client = FakeAimProcess::Start(scenario, error);
    if (!client) {
        checks.Fail("fake AIM client starts: " + error);
    }
    return client;
}

}  // namespace brevanto::wine
