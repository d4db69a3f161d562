#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A small assertion helper for the Wine programs (GoogleTest is not part of the cross
// build): every check prints one line, and the summary line "N passed, M failed" closes
// the output.
namespace brevanto::wine {

class Checks {
  public:
    void Section(std::string_view name);
    bool That(bool ok, std::string_view what);
    // Texts are shown escaped, so NULs, line feeds and bytes 0x80-0xFF are visible.
    bool Equal(std::string_view actual, std::string_view expected, std::string_view what);
    bool Equal(std::int64_t actual, std::int64_t expected, std::string_view what);
    // A failure of the harness itself (the fake client did not start, say).
    void Fail(std::string_view what);

    int Failed() const { return failed_; }
    void PrintSummary() const;

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// Polls until done() holds or timeoutMs has passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs);

// The folder of the running test program, ending in a separator: fakeaim.exe and
// brevanto.exe are found from there.
std::string ThisProgramsFolder();

}  // namespace brevanto::wine
