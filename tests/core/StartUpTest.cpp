#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Layout.h"

namespace brevanto::core::testing {
namespace {

TEST(Layout, OffsetsComeFromTheDesignSizesRoundedHalfToEven) {
    const LayoutOffsets offsets = ComputeLayout(DesignGeometry());
    EXPECT_EQ(offsets.GridHeightOffset, 6645 - 3375);
    EXPECT_EQ(offsets.FrameTopOffset, 6645 - 4080);
    EXPECT_EQ(offsets.LogHeightOffset, 6645 - 5055);
    EXPECT_EQ(offsets.FixedFormWidth, 10065);
    // 4935 / 2 - 45 = 2422.5, and the tie goes to the even 2422.
    EXPECT_EQ(offsets.ColumnWidth, 2422);

    WindowGeometry odd = DesignGeometry();
    odd.gridWidth = 4937;       // 2423.5 -> 2424
    odd.windowHeight = 6645.5;  // 3270.5 -> 3270, 2565.5 -> 2566
    const LayoutOffsets ties = ComputeLayout(odd);
    EXPECT_EQ(ties.ColumnWidth, 2424);
    EXPECT_EQ(ties.GridHeightOffset, 3270);
    EXPECT_EQ(ties.FrameTopOffset, 2566);
}

TEST(Layout, SizesAreTakenInSinglePrecision) {
    WindowGeometry geometry = DesignGeometry();
    // 16777217 has no single-precision value; it becomes 16777216.
    geometry.windowWidth = 16777217;
    EXPECT_EQ(ComputeLayout(geometry).FixedFormWidth, 16777216);
}

using StartUp = CoreTest;

TEST_F(StartUp, AMissingDataFileIsCreatedEmptyAndTheProgramStartsIdle) {
    controls.mode = AutoRespondControls();  // whatever the window held before loading
    Start(nullptr);

    EXPECT_TRUE(fs::exists(dataFile));
    EXPECT_EQ(ReadBytes(dataFile), "");
    EXPECT_EQ(window->Table().Rows(), 0);
    EXPECT_EQ(controls.mode, ModeControls{});
    EXPECT_FALSE(controls.mode.checkMessageTimerEnabled);
    EXPECT_EQ(controls.mode.startCaption, "&Start Auto Respond");
    EXPECT_TRUE(controls.boxes.empty());
    EXPECT_EQ(window->Layout().ColumnWidth, 2422);
}

TEST_F(StartUp, AnExistingFileIsLoadedInFileOrderAndLeftUnchanged) {
    const std::string bytes = "b=2\r\nno entry here\r\nHELLO=  Hi there \r\n\r\nA=1";
    Start(bytes.c_str());

    EXPECT_EQ(ReadBytes(dataFile), bytes);
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"b=2", "hello=Hi there", "a=1"}));
    EXPECT_TRUE(controls.boxes.empty());
}

TEST_F(StartUp, AFileThatCannotBeCreatedIsReportedAndTheTableStartsEmpty) {
    files.failCreating = true;
    Start(nullptr);

    ASSERT_EQ(controls.boxes.size(), 1u);
    const ShownBox& box = controls.boxes[0];
    EXPECT_EQ(box.style, kOkOnly);
    EXPECT_EQ(box.title, "");
    EXPECT_NE(box.prompt.find(dataFile.string()), std::string::npos) << box.prompt;
    EXPECT_NE(box.prompt.find(FailingFiles::Reason().message()), std::string::npos) << box.prompt;
    EXPECT_EQ(window->Table().Rows(), 0);
    EXPECT_EQ(controls.mode, ModeControls{});
}

TEST_F(StartUp, AFileThatCannotBeReadIsReportedAndTheTableStartsEmpty) {
    files.failReading = true;
    Start("hi=hello\r\n");

    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_NE(controls.boxes[0].prompt.find(dataFile.string()), std::string::npos);
    EXPECT_NE(controls.boxes[0].prompt.find(FailingFiles::Reason().message()), std::string::npos);
    EXPECT_EQ(window->Table().Rows(), 0);
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

}  // namespace
}  // namespace brevanto::core::testing
