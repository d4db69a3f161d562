// GetLastMessage on the simulated client (signed on under a fuzzed screen name, or not
// online) against two references: the tail from the last case-sensitive occurrence of
// the name, always; and the literal delete-and-search loop wherever that loop is sound,
// that is where no deletion can join text into a name or cut into an overlapping one.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "Differential.h"
#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"
#include "data/codepage/CodePage.h"
#include "oracles/LiteralLastMessage.h"

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

// Whether every case-insensitive occurrence of name has, on both sides, a character that
// is not in the name (or the end of the text). Then no two occurrences overlap or touch,
// deleting one cannot make a new one, and the literal loop finds the last occurrence.
bool LiteralLoopIsSound(const std::string& transcript, const std::string& name) {
    const std::string text = brevanto::codepage::ToLower(transcript);
    const std::string lowerName = brevanto::codepage::ToLower(name);
    auto inName = [&](char c) { return lowerName.find(c) != std::string::npos; };
    for (std::size_t at = text.find(lowerName); at != std::string::npos;
         at = text.find(lowerName, at + 1)) {
        const std::size_t end = at + lowerName.size();
        if ((at > 0 && inName(text[at - 1])) || (end < text.size() && inName(text[end]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > brevanto::fuzz::kMaxInputBytes) {
        return -1;
    }
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString(12);
    const bool signedOn = input.ConsumeBool();
    const std::string me = input.ConsumeRandomLengthString(12);
    const std::string transcript = Transcript(input, name, me);

    brevanto::aim::simulated::SimulatedAim aim;
    if (signedOn) {
        aim.SignOn(me);
    }
    auto myScreenName = [&] { return brevanto::modAIM::GetMyScreenName(aim); };

    const std::string fast = brevanto::modAIM::GetLastMessage(aim, transcript, name);

    const std::size_t last = name.empty() ? std::string::npos : transcript.rfind(name);
    const std::string tail = last == std::string::npos ? "" : transcript.substr(last);
    const std::string shownMe = myScreenName();
    const bool meInTail = shownMe.empty() ? !tail.empty() : tail.find(shownMe) != std::string::npos;
    brevanto::fuzz::RequireSame("GetLastMessage (last occurrence)", fast,
                                meInTail ? brevanto::modAIM::NulMarker : tail);

    if (!name.empty() && LiteralLoopIsSound(transcript, name)) {
        brevanto::fuzz::RequireSame(
            "GetLastMessage (literal loop)", fast,
            brevanto::oracles::LiteralLastMessage(transcript, name, myScreenName));
    }
    return 0;
}
