#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "data/MessageTable.h"
#include "data/TableFile.h"
#include "data/modFileIO.h"

namespace brevanto::hardening {

using Rows = std::vector<std::pair<std::string, std::string>>;

// A table as a user might type it: mixed case, stray spaces, repeated messages and a
// response with "=" in it, in no particular order, so that saving has to normalise, merge
// and sort. Keys avoid "?", "." and "!", which the default Ignore boxes would strip.
// The same seed gives the same table in every process.
inline Rows MakeTable(int rows, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::string words[] = {"hi",  "Hello", "how are you", "BYE",       "ok",
                                 "lol", "brb",   "what's up",   "\xc9t\xe9", "sure thing"};
    Rows table;
    for (int row = 0; row < rows; ++row) {
        // Most messages are distinct, some repeat another row's message in another case.
        std::string message = words[random() % 10];
        message += random() % 8 != 0 ? " " + std::to_string(random() % 100000) : "";
        message = random() % 4 == 0 ? "  " + message + " " : message;
        std::string response = words[random() % 10] + " " + std::to_string(row);
        response += random() % 6 == 0 ? " = " + std::to_string(seed) : "";
        table.emplace_back(std::move(message), std::move(response));
    }
    return table;
}

inline void FillTable(data::MessageTable& table, const Rows& rows) {
    table.SetRows(static_cast<int>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        table.SetCell(static_cast<int>(row), 0, rows[row].first);
        table.SetCell(static_cast<int>(row), 1, rows[row].second);
    }
}

inline Rows CellsOf(const data::MessageTable& table) {
    Rows rows;
    for (int row = 0; row < table.Rows(); ++row) {
        rows.emplace_back(table.Cell(row, 0), table.Cell(row, 1));
    }
    return rows;
}

// The file that saving the table gives: its lines as stored, sorted.
inline std::string SortedFile(const Rows& rows) {
    std::vector<modFileIO::TablePair> pairs;
    for (const auto& [message, response] : rows) {
        pairs.push_back({message, response});
    }
    return modFileIO::SortedContent(modFileIO::JoinLines(modFileIO::TableLines(pairs)));
}

}  // namespace brevanto::hardening
