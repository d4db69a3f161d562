// A long afternoon away: rounds of 1,000 IM windows from 100 buddies, all open at once,
// answered one per tick in z-order. Every window must be answered and logged whole, and
// the memory in use may grow only by what the conversation log has to hold.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/TempDir.h"
#include "oracles/LiteralText.h"

#if defined(__SANITIZE_ADDRESS__)
// ASan's allocator serves every allocation; its runtime counts the bytes (GCC ships no
// header for this part of the sanitizer interface).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace brevanto::hardening {
namespace {

using aim::Hwnd;
using aim::simulated::SimulatedAim;

// Bytes the allocator has handed out at this moment; only differences mean anything.
long long HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
}

constexpr int kBuddies = 100;
constexpr int kWindowsPerRound = 1000;
constexpr int kRounds = 4;

// What each buddy's record must hold after the round: the transcripts of the buddy's
// windows, in the order the ticks handled them, read after the reply.
using ExpectedLog = std::map<std::string, std::string>;

// Each round ends with a fresh client, so that what the simulated client keeps of closed
// windows is not counted against Brevanto.
void RunRound(SimulatedAim& aim, core::MainWindow& window, int round, ExpectedLog& expected) {
    aim.SignOn("quietowl7");
    for (int i = 0; i < kWindowsPerRound; ++i) {
        const Hwnd im = aim.OpenIMWindow("buddy" + std::to_string(i % kBuddies));
        const std::string message = i % 3 == 0 ? "hi" : "message " + std::to_string(i);
        aim.DeliverBuddyLine(im, message + " (round " + std::to_string(round) + ")");
    }

    for (int tick = 0; tick < kWindowsPerRound; ++tick) {
        const std::vector<Hwnd> open = aim.IMWindows();
        ASSERT_EQ(open.size(), static_cast<std::size_t>(kWindowsPerRound - tick));
        const Hwnd front = open.front();
        const std::string buddy = aim.BuddyOf(front);

        window.tmrCheckMessage_Timer();
        const std::string pane = aim.TranscriptHtml(front);
        aim.ProcessMessages();

        ASSERT_FALSE(aim.IsAlive(front)) << "tick " << tick << " left the front window open";
        ASSERT_NE(pane.find("<FONT COLOR=\"#0000ff\"><B>quietowl7"), std::string::npos)
            << "tick " << tick << " sent no reply to " << buddy;
        std::string& log = expected[buddy];
        const std::string text = oracle::HTMLToText(pane);
        log = log.empty() ? text : log + "\n" + text;
    }
    aim = SimulatedAim{};
}

TEST(Soak, ThousandsOfWindowsAreEachAnsweredAndLoggedAndMemoryStaysFlat) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "data.dat", "hi=hello there\r\n");
    SimulatedAim aim;
    core::HeadlessControls controls;
    core::MainWindow window(aim, controls, folder / "data.dat");
    ExpectedLog expected;

    std::vector<long long> heapBeyondLog;
    for (int round = 0; round < kRounds; ++round) {
        RunRound(aim, window, round, expected);
        if (HasFatalFailure()) {
            return;
        }

        ASSERT_EQ(window.Conversations().size(), static_cast<std::size_t>(kBuddies));
        long long logBytes = 0;
        for (const auto& record : window.Conversations()) {
            EXPECT_EQ(record.Transcript, expected[record.BuddyName]) << record.BuddyName;
            logBytes += static_cast<long long>(record.Transcript.capacity());
        }
        // Beside the log: the copy the controls hold of the shown record, and this test's
        // own copy of what the log must hold.
        logBytes += static_cast<long long>(controls.logText.capacity());
        for (const auto& [buddy, text] : expected) {
            logBytes += static_cast<long long>(text.capacity());
        }
        heapBeyondLog.push_back(HeapBytes() - logBytes);
        std::printf("round %d: %d windows, log %lld bytes, heap beyond the log %lld bytes\n",
                    round + 1, (round + 1) * kWindowsPerRound, logBytes, heapBeyondLog.back());
    }
    EXPECT_EQ(controls.buddyList.size(), static_cast<std::size_t>(kBuddies));

    // After the first round has sized everything, the heap beyond the log stays put: a
    // few kilobytes of slack, nothing that grows with the 1,000 windows of each round.
    for (int round = 2; round < kRounds; ++round) {
        EXPECT_LT(heapBeyondLog[round] - heapBeyondLog[1], 64 * 1024)
            << "round " << round << ": " << heapBeyondLog[round] << " bytes beyond the log, "
            << "after round 1: " << heapBeyondLog[1];
    }
}

}  // namespace
}  // namespace brevanto::hardening
