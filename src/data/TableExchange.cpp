#include "data/TableExchange.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "data/Csv.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || text.size() - i <= static_cast<std::size_t>(extra)) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) !=
                0x80) {
                return false;
            }
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// CR LF, CR and LF each become one space.
std::string FlattenLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return out;
}

bool IsHeader(const CsvRecord& record) {
    return record.size() >= 2 && codepage::ToLower(modFileIO::Trim(record[0])) == "message" &&
           codepage::ToLower(modFileIO::Trim(record[1])) == "response";
}

// Counts and drops what cannot be stored; true when the pair may be merged.
bool Storable(const ImportPair& pair, ImportReport& report) {
    const std::string_view message = modFileIO::Trim(pair.message);
    if (message.empty()) {
        if (!modFileIO::Trim(pair.response).empty()) {
            ++report.skippedNoMessage;
        }
        return false;
    }
    if (message.find('=') != std::string_view::npos) {
        ++report.skippedEquals;
        return false;
    }
    return true;
}

std::vector<ImportPair> CsvPairs(std::string_view bytes, ImportReport& report, Progress* progress) {
    const bool bom = bytes.starts_with(kByteOrderMark);
    if (bom) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    const bool utf8 = bom || IsUtf8(bytes);
    // Parsing takes the first half of the caller's part of the work, converting the second.
    const double from = progress != nullptr ? progress->From() : 0.0;
    const double to = progress != nullptr ? progress->To() : 1.0;
    if (progress != nullptr) {
        progress->Part(from, (from + to) / 2);
    }
    std::vector<CsvRecord> records = ParseCsv(bytes, progress);
    if (progress != nullptr) {
        progress->Part((from + to) / 2, to);
    }
    std::vector<ImportPair> pairs;
    pairs.reserve(records.size());
    for (std::size_t index = 0; index < records.size(); ++index) {
        if (Stopped(progress, index, records.size())) {
            break;
        }
        CsvRecord& record = records[index];
        if (index == 0 && IsHeader(record)) {
            continue;
        }
        record.resize(std::max<std::size_t>(record.size(), 2));
        ImportPair pair{FlattenLines(record[0]), FlattenLines(record[1])};
        if (!Storable(pair, report)) {
            continue;
        }
        if (utf8) {
            std::string message = codepage::Utf8ToAnsi(pair.message);
            std::string response = codepage::Utf8ToAnsi(pair.response);
            if (codepage::AnsiToUtf8(message) != pair.message ||
                codepage::AnsiToUtf8(response) != pair.response) {
                ++report.skippedCodePage;
                continue;
            }
            pair = {std::move(message), std::move(response)};
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::vector<ImportPair> DataFilePairs(std::string_view bytes, ImportReport& report,
                                      Progress* progress) {
    std::vector<ImportPair> pairs;
    const std::vector<std::string> lines = modFileIO::SplitLines(bytes);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (Stopped(progress, index, lines.size())) {
            break;
        }
        const std::string& line = lines[index];
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            if (!modFileIO::Trim(line).empty()) {
                ++report.skippedNoEquals;
            }
            continue;
        }
        ImportPair pair{line.substr(0, equals), line.substr(equals + 1)};
        if (Storable(pair, report)) {
            pairs.push_back(std::move(pair));
        }
    }
    return pairs;
}

}  // namespace

ExchangeFormat FormatOf(const std::filesystem::path& path) {
    return codepage::ToLower(path.extension().string()) == ".csv" ? ExchangeFormat::Csv
                                                                  : ExchangeFormat::DataFile;
}

std::vector<ImportPair> ReadImportPairs(std::string_view bytes, ExchangeFormat format,
                                        ImportReport& report, Progress* progress) {
    return format == ExchangeFormat::Csv ? CsvPairs(bytes, report, progress)
                                         : DataFilePairs(bytes, report, progress);
}

void MergePairs(MessageTable& table, std::vector<ImportPair> pairs, ImportReport& report,
                const std::function<std::string(std::string)>& key, Progress* progress) {
    const auto stored = [&key](const std::string& message) {
        return modFileIO::StoredMessage(key ? key(message) : message);
    };
    std::unordered_set<std::string> messages;
    messages.reserve(static_cast<std::size_t>(table.Rows()) + pairs.size());
    for (int row = 0; row < table.Rows(); ++row) {
        messages.insert(stored(table.Cell(row, 0)));
    }
    const int first = table.Rows();
    std::vector<ImportPair*> fresh;
    for (std::size_t index = 0; index < pairs.size(); ++index) {
        if (Stopped(progress, index, pairs.size())) {
            return;
        }
        ImportPair& pair = pairs[index];
        if (messages.insert(stored(pair.message)).second) {
            fresh.push_back(&pair);
        } else {
            ++report.kept;
        }
    }
    if (fresh.empty()) {
        return;
    }
    table.SetRows(first + static_cast<int>(fresh.size()));
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        const int row = first + static_cast<int>(i);
        table.SetCell(row, 0, std::string(modFileIO::Trim(fresh[i]->message)));
        table.SetCell(row, 1, std::string(modFileIO::Trim(fresh[i]->response)));
    }
    report.added += static_cast<int>(fresh.size());
    table.SetRow(first);
    table.SetCol(0);
}

std::string CsvContent(const MessageTable& table, Progress* progress) {
    std::string out(kByteOrderMark);
    out += "Message,Response\r\n";
    for (int row = 0; row < table.Rows(); ++row) {
        if (Stopped(progress, static_cast<std::size_t>(row),
                    static_cast<std::size_t>(table.Rows()))) {
            break;
        }
        out += CsvField(codepage::AnsiToUtf8(table.Cell(row, 0)));
        out += ',';
        out += CsvField(codepage::AnsiToUtf8(table.Cell(row, 1)));
        out += "\r\n";
    }
    return out;
}

}  // namespace brevanto::data
