#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "core/MainWindow.h"
#include "data/SafeFile.h"
#include "data/TableExchange.h"
#include "data/modFileIO.h"

namespace brevanto::core {

namespace {

std::string Count(int count, const char* what) {
    return std::to_string(count) + " " + what;
}

std::string ImportSummary(const std::filesystem::path& path, const data::ImportReport& report) {
    std::string text =
        "Imported from " + data::DisplayPath(path) + ":\n" + Count(report.added, "pairs added.") +
        "\n" +
        Count(report.kept, "pairs kept as the table has them: the message is already in it.") +
        "\n" + Count(report.Skipped(), "pairs skipped.");
    const std::pair<int, const char*> reasons[] = {
        {report.skippedEquals, "with \"=\" in the message"},
        {report.skippedCodePage, "with text the code page cannot hold"},
        {report.skippedNoEquals, "lines without \"=\" between message and response"},
        {report.skippedNoMessage, "responses without a message"},
    };
    for (const auto& [count, why] : reasons) {
        if (count > 0) {
            text += "\n    " + Count(count, why);
        }
    }
    return text;
}

// The progress of one long table command, shown by the window and closed however the
// command ends.
class ShownProgress {
  public:
    ShownProgress(Controls& controls, std::string text)
        : controls_(controls), progress_([this, text = std::move(text)](double share) {
              return controls_.ShowProgress(text, share);
          }) {}
    ~ShownProgress() { controls_.EndProgress(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    data::Progress* operator->() { return &progress_; }
    data::Progress* get() { return &progress_; }

  private:
    Controls& controls_;
    data::Progress progress_;
};

}  // namespace

void MainWindow::DeleteRows(const std::vector<int>& rows) {
    std::set<int> doomed;
    for (int row : rows) {
        if (row >= 0 && row < table_.Rows()) {
            doomed.insert(row);
        }
    }
    if (doomed.empty()) {
        return;
    }
    if (doomed.size() > 1 && controls_.MsgBox("Delete the " + std::to_string(doomed.size()) +
                                                  " selected messages from the table?",
                                              kYesNo, "") != kYes) {
        return;
    }
    // Cells marked as having lost characters move up with their rows.
    std::set<std::pair<int, int>> moved;
    for (const auto& [row, col] : lostCells_) {
        if (!doomed.contains(row)) {
            const auto before = std::distance(doomed.begin(), doomed.lower_bound(row));
            moved.insert({row - static_cast<int>(before), col});
        }
    }
    lostCells_ = std::move(moved);
    table_.RemoveRows({doomed.begin(), doomed.end()});
    controls_.TableChanged();
}

void MainWindow::ImportTable() {
    const std::filesystem::path path = controls_.ChooseFile(FileChoice::Import);
    if (path.empty()) {
        return;
    }
    data::FileResult<std::string> bytes;
    bytes.error = data::InspectFile(files_, path).error;
    if (!bytes.error) {
        bytes = data::ReadWholeFile(files_, path);
    }
    if (!bytes.ok()) {
        ReportFileError("The file could not be imported. The table was left as it was.",
                        *bytes.error);
        return;
    }
    data::ImportReport report;
    {
        ShownProgress progress(controls_, "Importing the pairs...");
        // Reading the pairs is most of the work; merging them the rest.
        progress->Part(0.0, 0.6);
        auto pairs =
            data::ReadImportPairs(bytes.value, data::FormatOf(path), report, progress.get());
        progress->Part(0.6, 1.0);
        // Keys compare as the data file stores them, without the ignored characters.
        if (!progress->Cancelled()) {
            data::MergePairs(
                table_, std::move(pairs), report,
                [this](std::string message) { return RemoveIgnored(std::move(message)); },
                progress.get());
        }
        // The user cancelled: the table is as it was, which is what Cancel promises.
        if (progress->Cancelled()) {
            return;
        }
    }
    if (report.added > 0) {
        controls_.TableChanged();
    }
    controls_.MsgBox(ImportSummary(path, report), kOkOnly, "Import");
}

void MainWindow::ExportTable() {
    const std::filesystem::path path = controls_.ChooseFile(FileChoice::Export);
    if (path.empty()) {
        return;
    }
    const bool csv = data::FormatOf(path) == data::ExchangeFormat::Csv;
    // The same lines a save would store, so the file can serve as a data file.
    if (!csv && !ConfirmRows()) {
        return;
    }
    std::string content;
    int pairs = table_.Rows();
    data::FileStatus error;
    {
        ShownProgress progress(controls_, "Exporting the table...");
        if (csv) {
            content = data::CsvContent(table_, progress.get());
        } else {
            std::vector<std::string> lines = TableFileLines();
            pairs = static_cast<int>(lines.size());
            if (!progress->At(0.5)) {
                modFileIO::SortLines(lines);
                content = modFileIO::JoinLines(lines);
            }
        }
        // Cancelled, nothing is written: a file that was there stays as it was.
        if (progress->Cancelled()) {
            return;
        }
        error = data::ReplaceFile(files_, path, content);
    }
    if (error) {
        ReportFileError("The table could not be exported.", *error);
        return;
    }
    controls_.MsgBox(
        "The table was exported to " + data::DisplayPath(path) + ": " + Count(pairs, "pairs."),
        kOkOnly, "Export");
}

}  // namespace brevanto::core
