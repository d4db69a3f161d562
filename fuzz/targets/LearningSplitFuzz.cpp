// The learning split against the literal cut-from-the-front loop: labels are fuzzed
// screen names followed by ": ", and the transcript is made of labels, the labels in
// other cases and arbitrary text.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "Differential.h"
#include "data/Learning.h"
#include "data/codepage/CodePage.h"
#include "oracles/LiteralLearning.h"

namespace {

std::string Transcript(FuzzedDataProvider& input, const std::string& buddyLabel,
                       const std::string& userLabel) {
    std::string text;
    while (input.remaining_bytes() > 0 && text.size() < brevanto::fuzz::kMaxInputBytes) {
        switch (input.ConsumeIntegralInRange(0, 5)) {
            case 0:
                text += buddyLabel;
                break;
            case 1:
                text += userLabel;
                break;
            case 2:
                text += brevanto::codepage::ToLower(input.ConsumeBool() ? buddyLabel : userLabel);
                break;
            case 3:
                text += ' ';
                break;
            default:
                text += input.ConsumeRandomLengthString(24);
        }
    }
    return text;
}

std::string Shown(const std::vector<brevanto::data::LearnedPair>& pairs) {
    std::vector<std::string> lines;
    for (const auto& pair : pairs) {
        lines.push_back(pair.message);
        lines.push_back(pair.answer);
    }
    return brevanto::fuzz::ShownLines(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string buddyLabel = input.ConsumeRandomLengthString(12) + ": ";
    const std::string userLabel = input.ConsumeRandomLengthString(12) + ": ";
    const std::string transcript = Transcript(input, buddyLabel, userLabel);

    const auto fast = brevanto::data::SplitConversation(transcript, buddyLabel, userLabel);
    const auto literal = brevanto::oracles::LiteralLearning(transcript, buddyLabel, userLabel);
    brevanto::fuzz::RequireSame("SplitConversation", Shown(fast), Shown(literal));
    return 0;
}
