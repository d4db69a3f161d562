#pragma once

#include <cstdint>
#include <string>

// How the simulated client writes the calls made on it into its call log, so that a test
// can state a whole call sequence as plain text, e.g.
//   SendMessageA(4, WM_GETTEXT, 11, buffer)
//   SendMessageA(5, WM_SETTEXT, 0, "see you\n")
namespace brevanto::aim::simulated {

// "null" for nullptr; otherwise the text in double quotes, with \n \r \t \" \\ escaped and
// every other byte outside 0x20-0x7E written as \xHH.
std::string DescribeText(const char* text);
// The message's name for the messages the program sends, its number otherwise.
std::string DescribeMessage(unsigned message);
std::string DescribeRelation(unsigned relation);
// WM_SETTEXT shows its text; an address of a buffer shows as "buffer"; 0 as 0.
std::string DescribeLParam(unsigned message, std::intptr_t lParam);

}  // namespace brevanto::aim::simulated
