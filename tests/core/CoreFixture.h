#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "../data/FaultyFileOps.h"
#include "../data/TempDir.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"

namespace brevanto::core::testing {

namespace fs = std::filesystem;
using brevanto::testing::ReadBytes;
using brevanto::testing::WriteBytes;
using ::testing::HasSubstr;
using Rows = std::vector<std::string>;

// The main window's design-time sizes in twips: window width and height, grid height, the
// frame's top, log height, grid width.
inline WindowGeometry DesignGeometry() {
    return {10065, 6645, 3375, 4080, 5055, 4935};
}

// A main window over the simulated client and headless controls, with its data file in a
// temporary folder.
class CoreTest : public ::testing::Test {
  protected:
    // Writes the data file (unless nullptr) and loads the window.
    void Start(const char* fileBytes) {
        if (fileBytes != nullptr) {
            WriteBytes(dataFile, fileBytes);
        }
        window = std::make_unique<MainWindow>(aim, controls, dataFile, files);
        window->Form_Load(DesignGeometry());
    }

    // Every call of name fails; as root, permissions cannot be relied on to refuse anything.
    void FailEvery(const std::string& name) { files.FailCall(name, 0, ENOSPC); }

    // The table as "message=response" strings, in row order.
    Rows TableRows() const {
        Rows rows;
        const auto& table = window->Table();
        for (int row = 0; row < table.Rows(); ++row) {
            rows.push_back(table.Cell(row, 0) + "=" + table.Cell(row, 1));
        }
        return rows;
    }

    // The table holds these (message, response) rows, and the current cell is the first.
    void Fill(const std::vector<std::pair<std::string, std::string>>& rows) {
        auto& table = window->Table();
        table.SetRows(static_cast<int>(rows.size()));
        for (int row = 0; row < table.Rows(); ++row) {
            table.SetCell(row, 0, rows[static_cast<std::size_t>(row)].first);
            table.SetCell(row, 1, rows[static_cast<std::size_t>(row)].second);
        }
        table.SetRow(0);
        table.SetCol(0);
    }

    // The user clicks a cell and types text into the edit box (lost: some characters did
    // not fit the code page).
    void Type(int row, int col, const std::string& text, bool lost = false) {
        window->Table().SetRow(row);
        window->Table().SetCol(col);
        controls.inputBoxAnswers = {text};
        controls.inputLost = lost;
        window->flexGrid_Click();
        controls.boxes.clear();
    }

    ShownBox Box(std::string prompt, int style, std::string title) const {
        return {ShownBox::Kind::Message, std::move(prompt), style, std::move(title), {}};
    }

    // A file error: untitled, OK only, naming the data file and the system's reason.
    void ExpectFileErrorBox(const ShownBox& box) const {
        EXPECT_EQ(box.style, kOkOnly);
        EXPECT_EQ(box.title, "");
        EXPECT_THAT(box.prompt, HasSubstr(dataFile.string()));
        EXPECT_THAT(box.prompt, HasSubstr(std::strerror(ENOSPC)));
    }

    brevanto::testing::TempDir folder;
    fs::path dataFile = folder / "data.dat";
    aim::simulated::SimulatedAim aim;
    HeadlessControls controls;
    brevanto::testing::FaultyFileOps files;
    std::unique_ptr<MainWindow> window;
};

}  // namespace brevanto::core::testing
