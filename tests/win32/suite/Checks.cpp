#include "suite/Checks.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "common/Report.h"

namespace brevanto::wine {

void Checks::Section(std::string_view name) {
    std::printf("== %.*s\n", static_cast<int>(name.size()), name.data());
    std::fflush(stdout);
}

bool Checks::That(bool ok, std::string_view what) {
    std::printf("%s %.*s\n", ok ? "PASS" : "FAIL", static_cast<int>(what.size()), what.data());
    std::fflush(stdout);
    ++(ok ? passed_ : failed_);
    return ok;
}

bool Checks::Equal(std::string_view actual, std::string_view expected, std::string_view what) {
    const bool ok = actual == expected;
    That(ok, what);
    if (!ok) {
        std::printf("     expected \"%s\"\n     actual   \"%s\"\n", Escape(expected).c_str(),
                    Escape(actual).c_str());
        std::fflush(stdout);
    }
    return ok;
}

bool Checks::Equal(std::int64_t actual, std::int64_t expected, std::string_view what) {
    const bool ok = actual == expected;
    That(ok, what);
    if (!ok) {
        std::printf("     expected %lld, actual %lld\n", static_cast<long long>(expected),
                    static_cast<long long>(actual));
        std::fflush(stdout);
    }
    return ok;
}

void Checks::Fail(std::string_view what) {
    That(false, what);
}

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void Checks::PrintSummary() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
}

}  // namespace brevanto::wine
