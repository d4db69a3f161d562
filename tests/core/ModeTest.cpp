#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

const std::string kNotice =
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and "
    "you can view them on the box on the right side. Do you want to continue?";

// Timer, start caption, start menu, stop menu, learn button, learn menu.
const ModeControls kIdle{false, "&Start Auto Respond", true, false, true, true};
const ModeControls kOn{true, "Sto&p Auto Respond", false, true, false, false};

class Mode : public CoreTest {
  protected:
    void SetUp() override { Start(nullptr); }
};

TEST_F(Mode, StartingAsksFirstStoppingNeverAsks) {
    EXPECT_EQ(controls.mode, kIdle);
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.boxes, std::vector<ShownBox>{Box(kNotice, kYesNo, "Notice")});
    EXPECT_EQ(controls.mode, kOn);
    EXPECT_EQ(window->Mode(), kOn);

    window->ToggleAutoRespond();
    EXPECT_EQ(controls.boxes.size(), 1u);
    EXPECT_EQ(controls.mode, kIdle);
    EXPECT_EQ(window->Mode(), kIdle);
}

TEST_F(Mode, NoChangesNothingAndAnyOtherAnswerSwitchesOn) {
    controls.msgBoxAnswers = {kNo};
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, kIdle);
    EXPECT_EQ(window->Mode(), kIdle);

    // A box closed some other way still switches on; every start asks again.
    controls.msgBoxAnswers = {kCancel};
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, kOn);
    window->ToggleAutoRespond();
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.boxes.size(), 3u);
    EXPECT_EQ(controls.mode, kOn);
}

}  // namespace
}  // namespace brevanto::core::testing
