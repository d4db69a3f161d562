// HTMLToText against the literal eleven-step conversion; the whole input is the pane's
// text.
#include <string>

#include "Differential.h"
#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > brevanto::fuzz::kMaxInputBytes) {
        return -1;
    }
    const std::string html(reinterpret_cast<const char*>(data), size);

    const std::string text = brevanto::modAIM::HTMLToText(html);
    brevanto::fuzz::RequireSame("HTMLToText", text, brevanto::oracle::HTMLToText(html));
    // Every carriage return has become a line feed, whatever the tags around it.
    brevanto::fuzz::Require(text.find('\r') == std::string::npos, "no CR after HTMLToText");
    return 0;
}
