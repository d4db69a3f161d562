#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

const std::string kNotice =
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and "
    "you can view them on the box on the right side. Do you want to continue?";

class Mode : public CoreTest {
  protected:
    void SetUp() override { Start(nullptr); }
};

TEST_F(Mode, StartingAsksFirstAndSwitchesEveryControl) {
    window->ToggleAutoRespond();

    EXPECT_EQ(controls.boxes, std::vector<ShownBox>{Box(kNotice, kYesNo, "Notice")});
    EXPECT_TRUE(controls.mode.checkMessageTimerEnabled);
    EXPECT_EQ(controls.mode.startCaption, "Sto&p Auto Respond");
    EXPECT_FALSE(controls.mode.startMenuEnabled);
    EXPECT_TRUE(controls.mode.stopMenuEnabled);
    EXPECT_FALSE(controls.mode.learnButtonEnabled);
    EXPECT_FALSE(controls.mode.learnMenuEnabled);
    EXPECT_EQ(window->Mode(), controls.mode);
}

TEST_F(Mode, StoppingNeverAsksAndRestoresTheIdleControls) {
    window->ToggleAutoRespond();
    window->ToggleAutoRespond();

    EXPECT_EQ(controls.boxes.size(), 1u);
    EXPECT_FALSE(controls.mode.checkMessageTimerEnabled);
    EXPECT_EQ(controls.mode.startCaption, "&Start Auto Respond");
    EXPECT_TRUE(controls.mode.startMenuEnabled);
    EXPECT_FALSE(controls.mode.stopMenuEnabled);
    EXPECT_TRUE(controls.mode.learnButtonEnabled);
    EXPECT_TRUE(controls.mode.learnMenuEnabled);
}

TEST_F(Mode, NoChangesNothingAndAnyOtherAnswerSwitchesOn) {
    const ModeControls idle = controls.mode;
    controls.msgBoxAnswers = {kNo};
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, idle);
    EXPECT_EQ(window->Mode(), idle);

    // A box closed some other way still switches on; every start asks again.
    controls.msgBoxAnswers = {kCancel};
    window->ToggleAutoRespond();
    EXPECT_TRUE(controls.mode.checkMessageTimerEnabled);
    window->ToggleAutoRespond();
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.boxes.size(), 3u);
    EXPECT_EQ(controls.mode, AutoRespondControls());
}

}  // namespace
}  // namespace brevanto::core::testing
