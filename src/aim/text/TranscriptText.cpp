#include "aim/text/TranscriptText.h"

#include <cstring>

#include "aim/text/FoldedSearch.h"
#include "data/codepage/CodePage.h"

namespace brevanto::modAIM {
namespace {

constexpr std::size_t kNotFound = aim::FoldedSearch::kNotFound;

}  // namespace

// The search resumes right behind each replacement, and what follows a replacement is
// the original text behind the match, so one left-to-right scan of the original text for
// non-overlapping matches gives exactly the repeated search-and-rebuild result.
std::string ReplaceText(std::string_view text, std::string_view find,
                        std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    const aim::FoldedSearch search(find, codepage::LowerTable());
    std::string result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t p = search.Find(text, 0); p != kNotFound; p = search.Find(text, done)) {
        result.append(text.substr(done, p - done));
        result.append(replacement);
        done = p + find.size();
    }
    result.append(text.substr(done));
    return result;
}

std::string ReplaceFirst(std::string_view text, std::string_view find,
                         std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    const std::size_t p = aim::FoldedSearch(find, codepage::LowerTable()).Find(text, 0);
    if (p == kNotFound) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size() + replacement.size());
    result.append(text.substr(0, p));
    result.append(replacement);
    result.append(text.substr(p + find.size()));
    return result;
}

// Each pass removes the first range, and removing it can join the text on its two sides
// into a new start marker (as "<FO" + removed + "NT"). The work happens in one buffer:
// the kept text grows at its front, the unread text lies at its back. After a removal
// the last length(start) - 1 kept bytes go back in front of the unread text, because
// only a start marker beginning there can reach across the join; everything kept before
// them has been searched for good. So each byte is read a bounded number of times.
//
// The end marker is searched from the start marker on. With no end marker there, or
// when a range would end at or before its own start (an empty start marker, or an extra
// length so negative that nothing is removed), the text stays as it stands from there:
// removing ranges again and again from the first start marker could never end.
std::string RemoveTagRange(std::string_view text, std::string_view startMarker,
                           std::string_view endMarker, std::int32_t extraLength) {
    std::string buffer(text);
    if (startMarker.empty()) {
        return buffer;
    }
    const aim::FoldedSearch startSearch(startMarker, aim::FoldedSearch::SameCase());
    const aim::FoldedSearch endSearch(endMarker, aim::FoldedSearch::SameCase());
    const std::size_t size = buffer.size();
    const std::size_t rejoin = startMarker.size() - 1;
    char* data = buffer.data();
    std::size_t kept = 0;    // buffer[0, kept) is the kept text
    std::size_t unread = 0;  // buffer[unread, size) is still to be read
    for (;;) {
        const std::string_view rest(data, size);
        const std::size_t a = startSearch.Find(rest, unread);
        if (a == kNotFound) {
            break;
        }
        const std::size_t b = endSearch.Find(rest, a);
        if (b == kNotFound) {
            break;
        }
        const std::int64_t rangeEnd = static_cast<std::int64_t>(b) + extraLength;
        if (rangeEnd <= static_cast<std::int64_t>(a)) {
            break;
        }
        std::memmove(data + kept, data + unread, a - unread);
        kept += a - unread;
        const std::size_t resume =
            rangeEnd >= static_cast<std::int64_t>(size) ? size : static_cast<std::size_t>(rangeEnd);
        // resume > a >= kept, so the moved bytes never overtake the kept text.
        const std::size_t back = kept < rejoin ? kept : rejoin;
        std::memmove(data + resume - back, data + kept - back, back);
        kept -= back;
        unread = resume - back;
    }
    std::memmove(data + kept, data + unread, size - unread);
    buffer.resize(kept + size - unread);
    return buffer;
}

// Each step works on the result of the one before: removing one tag can complete another
// (a "<" + "</B>" + "BR>" turns into a line break), so the steps are not merged.
std::string HTMLToText(std::string_view text) {
    std::string result = ReplaceText(text, "</FONT>", "");
    result = ReplaceText(result, "</B>", "");
    result = ReplaceText(result, "</BODY>", "");
    result = ReplaceText(result, "<B>", "");
    result = ReplaceText(result, "<BR>", "\n");
    result = ReplaceText(result, "<HTML>", "");
    result = ReplaceText(result, "</HTML>", "");
    result = ReplaceText(result, "\r", "\n");
    // A body tag ends at the quote closing its last attribute, right before the next tag,
    // whose "<" stays.
    result = RemoveTagRange(result, "<BODY", "\"><", 2);
    result = RemoveTagRange(result, "<!--", "-->", 3);
    result = RemoveTagRange(result, "<FONT", ">", 1);
    return result;
}

}  // namespace brevanto::modAIM
