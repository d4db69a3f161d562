#pragma once

#include <span>
#include <string>
#include <vector>

// Writing the whole message table: the file must end up exactly as emptying it and then
// storing the rows one by one through SaveEntry would leave it, but built in memory so that
// it can be written once.
namespace brevanto::modFileIO {

struct TablePair {
    std::string message;  // ignored characters already removed by the caller
    std::string response;
};

// The lines that storing every pair in order into an empty file leaves: a pair replaces the
// first line that, lower-cased, begins with its stored message and "=", and is appended
// otherwise. Runs in time about linear in the size of the table.
std::vector<std::string> TableLines(std::span<const TablePair> pairs);

}  // namespace brevanto::modFileIO
