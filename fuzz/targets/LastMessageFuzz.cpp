// GetLastMessage on the simulated client (signed on under a fuzzed screen name, or not
// online) against its reference: the tail from the last case-sensitive occurrence of the
// name, or the NUL marker where the user's screen name stands in that tail. Where the
// delete-and-search loop is sound (no deletion joins text into a name or cuts into an
// overlapping one) that loop gives the same tail; bench_window keeps it as a baseline.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "Differential.h"
#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"
#include "data/codepage/CodePage.h"

namespace {

// The transcript as a run of pieces, so that the name, its case variants and the user's
// name stand in it often, beside arbitrary text.
std::string Transcript(FuzzedDataProvider& input, const std::string& name, const std::string& me) {
    std::string text;
    while (input.remaining_bytes() > 0 && text.size() < brevanto::fuzz::kMaxInputBytes) {
        switch (input.ConsumeIntegralInRange(0, 5)) {
            case 0:
                text += name;
                break;
            case 1:
                text += brevanto::codepage::ToLower(name);
                break;
            case 2:
                text += me;
                break;
            case 3:
                text += ": ";
                break;
            default:
                text += input.ConsumeRandomLengthString(32);
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString(12);
    const bool signedOn = input.ConsumeBool();
    const std::string me = input.ConsumeRandomLengthString(12);
    const std::string transcript = Transcript(input, name, me);

    brevanto::aim::simulated::SimulatedAim aim;
    if (signedOn) {
        aim.SignOn(me);
    }
    const std::string fast = brevanto::modAIM::GetLastMessage(aim, transcript, name);

    const std::size_t last = name.empty() ? std::string::npos : transcript.rfind(name);
    const std::string tail = last == std::string::npos ? "" : transcript.substr(last);
    const std::string shownMe = brevanto::modAIM::GetMyScreenName(aim);
    const bool meInTail = shownMe.empty() ? !tail.empty() : tail.find(shownMe) != std::string::npos;
    brevanto::fuzz::RequireSame("GetLastMessage (last occurrence)", fast,
                                meInTail ? brevanto::modAIM::NulMarker : tail);
    return 0;
}
