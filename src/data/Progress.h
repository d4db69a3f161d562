#pragma once

#include <cstddef>
#include <functional>
#include <utility>

// Long work on the table (import, export) says how far it is and learns whether the user
// cancelled it. Asking the window is cheap but not free, so the work asks at its first step
// and then every kStride-th.
namespace brevanto::data {

class Progress {
  public:
    // Gets the share of the whole work done, 0 to 1; answers false when the user cancelled.
    using Report = std::function<bool(double share)>;

    static constexpr std::size_t kStride = 4096;

    explicit Progress(Report report) : report_(std::move(report)) {}

    // The part of the whole work, as shares, that the steps counted from here on cover.
    void Part(double from, double to) {
        from_ = from;
        to_ = to;
    }

    // True when the work must stop: the user cancelled, at this step or before.
    bool Stop(std::size_t done, std::size_t total) {
        if (cancelled_ || done % kStride != 0) {
            return cancelled_;
        }
        return At(total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total));
    }

    // The same, asking at once, with the share of the current part done.
    bool At(double share) {
        cancelled_ = cancelled_ || !report_(from_ + (to_ - from_) * share);
        return cancelled_;
    }

    bool Cancelled() const { return cancelled_; }
    // The current part, for work that splits it among its own steps.
    double From() const { return from_; }
    double To() const { return to_; }

  private:
    Report report_;
    double from_ = 0.0;
    double to_ = 1.0;
    bool cancelled_ = false;
};

// For work that runs with or without someone watching.
inline bool Stopped(Progress* progress, std::size_t done, std::size_t total) {
    return progress != nullptr && progress->Stop(done, total);
}

}  // namespace brevanto::data
