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

class StartUp : public CoreTest {
  protected:
    // A file that cannot be created or read is reported, and the table starts empty and idle.
    void ExpectReportedAndEmpty() const {
        ASSERT_EQ(controls.boxes.size(), 1u);
        ExpectFileErrorBox(controls.boxes[0]);
        EXPECT_EQ(window->Table().Rows(), 0);
        EXPECT_FALSE(controls.mode.checkMessageTimerEnabled);
    }
};

TEST_F(StartUp, AMissingDataFileIsCreatedEmptyAndTheProgramStartsIdle) {
    controls.mode = AutoRespondControls();  // whatever the window held before loading
    Start(nullptr);

    EXPECT_EQ(ReadBytes(folder / "data.dat"), "");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"});
    EXPECT_EQ(window->Table().Rows(), 0);
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

TEST_F(StartUp, AFileThatCannotBeCreatedIsReported) {
    FailEvery("OpenOrCreate");
    Start(nullptr);
    ExpectReportedAndEmpty();
}

TEST_F(StartUp, AFileThatCannotBeReadIsReportedAndKept) {
    FailEvery("OpenForReading");
    Start("hi=hello\r\n");
    ExpectReportedAndEmpty();
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

}  // namespace
}  // namespace brevanto::core::testing
