// RemoveTagRange against the literal removal loop, with any markers and extra lengths:
// besides the three marker sets HTMLToText uses, short arbitrary markers, extra lengths
// shorter than the end marker, zero, negative and far past the end of the text. And
// HTMLToText against the literal eleven-step conversion, on the whole input as the pane's text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <limits>

#include "Differential.h"
#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

namespace {

struct Markers {
    std::string start;
    std::string end;
    std::int32_t extra;
};

Markers PickMarkers(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return {"<BODY", "\"><", 2};
        case 1:
            return {"<!--", "-->", 3};
        case 2:
            return {"<FONT", ">", 1};
        default:
            break;
    }
    Markers markers;
    markers.start = input.ConsumeRandomLengthString(8);
    markers.end = input.ConsumeRandomLengthString(8);
    markers.extra = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(-4, 12)
                                        : input.ConsumeIntegral<std::int32_t>();
    return markers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html(reinterpret_cast<const char*>(data), size);
    brevanto::fuzz::RequireSame("HTMLToText", brevanto::modAIM::HTMLToText(html),
                                brevanto::oracle::HTMLToText(html));

    FuzzedDataProvider input(data, size);
    const Markers markers = PickMarkers(input);
    const std::string text = input.ConsumeRemainingBytesAsString();

    brevanto::fuzz::RequireSame(
        "RemoveTagRange",
        brevanto::modAIM::RemoveTagRange(text, markers.start, markers.end, markers.extra),
        brevanto::oracle::RemoveTagRange(text, markers.start, markers.end, markers.extra));
    return 0;
}
