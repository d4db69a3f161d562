// ReplaceText and ReplaceFirst against the literal replace loop and single replacement:
// find and replacement are short so that matches, overlaps and replacements containing
// find are common.
#include <fuzzer/FuzzedDataProvider.h>

#include "Differential.h"
#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string find = input.ConsumeRandomLengthString(16);
    const std::string replacement = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRemainingBytesAsString();

    brevanto::fuzz::RequireSame("ReplaceText",
                                brevanto::modAIM::ReplaceText(text, find, replacement),
                                brevanto::oracle::ReplaceText(text, find, replacement));
    brevanto::fuzz::RequireSame("ReplaceFirst",
                                brevanto::modAIM::ReplaceFirst(text, find, replacement),
                                brevanto::oracle::ReplaceFirst(text, find, replacement));
    return 0;
}
