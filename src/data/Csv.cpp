#include "data/Csv.h"

namespace brevanto::data {

std::vector<CsvRecord> ParseCsv(std::string_view text, Progress* progress) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;      // inside a quoted field
    bool recordOpen = false;  // something of the current record has been read
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < size && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        switch (c) {
            case '"':
                quoted = true;
                recordOpen = true;
                break;
            case ',':
                record.push_back(std::move(field));
                field.clear();
                recordOpen = true;
                break;
            case '\r':
            case '\n':
                if (c == '\r' && i + 1 < size && text[i + 1] == '\n') {
                    ++i;
                }
                record.push_back(std::move(field));
                field.clear();
                records.push_back(std::move(record));
                record.clear();
                recordOpen = false;
                if (progress != nullptr && records.size() % Progress::kStride == 0 &&
                    progress->At(static_cast<double>(i) / static_cast<double>(size))) {
                    return {};
                }
                break;
            default:
                field += c;
                recordOpen = true;
                break;
        }
    }
    if (recordOpen) {
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return records;
}

std::string CsvField(std::string_view field) {
    const bool needsQuotes = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!needsQuotes) {
        return std::string(field);
    }
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

}  // namespace brevanto::data
