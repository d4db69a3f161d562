#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

using aim::Hwnd;

class Learning : public CoreTest {
  protected:
    void SetUp() override { aim.SignOn("Kim"); }

    // A conversation with Sam in its own IM window, lines alternating as given.
    Hwnd Talk(const std::vector<std::pair<bool, std::string>>& lines) {
        const Hwnd im = aim.OpenIMWindow("Sam");
        for (const auto& [fromBuddy, text] : lines) {
            if (fromBuddy) {
                aim.DeliverBuddyLine(im, text);
            } else {
                aim.TypeAndSend(im, text);
            }
        }
        return im;
    }

    const ShownBox kPrompt =
        Box("Click on the IM box then click OK to learn.", kOkCancel, "Learning Conversations");
    const ShownBox kLearned =
        Box("The program has learn the conversations and the data was saved!", kOkOnly, "Done");
    const ShownBox kNothing = Box("The program didn't learn anything.", kOkOnly, "Sorry!");
};

TEST_F(Learning, PairsFromTheClickedWindowAreAddedSavedAndReloaded) {
    Start("zz=old pair\r\n");
    window->AddMessageRow();  // an unsaved edit is saved along with what is learned
    window->Table().SetText("Typed By Hand");
    const Hwnd wanted = Talk({{true, "Hi"},
                              {true, "there"},
                              {false, "Hello There"},
                              {true, "how are you?"},
                              {false, "fine"},
                              {true, "bye"}});
    const Hwnd other = aim.OpenIMWindow("Ann");  // in front until the user clicks
    aim.DeliverBuddyLine(other, "ignore me");
    controls.whileBoxOpen = [&](const ShownBox&) { aim.BringToFront(wanted); };

    window->LearnAndSave();

    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{kPrompt, kLearned}));
    EXPECT_EQ(TableRows(),
              (Rows{"hi there=Hello There", "how are you=fine", "typed by hand=", "zz=old pair"}));
    EXPECT_EQ(ReadBytes(dataFile),
              "hi there=Hello There\r\nhow are you=fine\r\ntyped by hand=\r\nzz=old pair\r\n");
    // The window is read, never changed.
    EXPECT_TRUE(aim.IsAlive(wanted));
    EXPECT_EQ(aim.InputText(wanted), "");
}

// Nothing learned leaves the table and the file as they were; a failed save is reported
// instead of done and leaves the file, the learned rows shown.
TEST_F(Learning, NothingLearnedOrAFailedSaveLeavesTheFileAsItWas) {
    const std::string bytes = "b=2\r\na=1\r\n";
    Start(bytes.c_str());
    window->AddMessageRow();
    const auto rows = TableRows();

    // No IM window at all.
    window->LearnAndSave();
    // Cancel in the prompt.
    Talk({{true, "hi"}, {false, "hello"}});
    controls.msgBoxAnswers = {kCancel};
    window->LearnAndSave();
    // Only the buddy spoke.
    aim.Close(aim.IMWindows().front());
    Talk({{true, "hi"}, {true, "anyone?"}});
    window->LearnAndSave();
    // Signed off, the user's label cannot be found.
    aim.Close(aim.IMWindows().front());
    Talk({{true, "hi"}, {false, "hello"}});
    aim.SignOff();
    window->LearnAndSave();

    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{kPrompt, kNothing, kPrompt, kNothing, kPrompt,
                                                     kNothing, kPrompt, kNothing}));
    EXPECT_EQ(TableRows(), rows);
    EXPECT_EQ(ReadBytes(dataFile), bytes);

    aim.SignOn("Kim");
    FailEvery("Write");
    controls.boxes.clear();
    const int tableChanges = controls.tableChanges;
    window->LearnAndSave();
    ASSERT_EQ(controls.boxes.size(), 2u);
    EXPECT_EQ(controls.boxes[0], kPrompt);
    ExpectFileErrorBox(controls.boxes[1]);
    EXPECT_EQ(ReadBytes(dataFile), bytes);
    EXPECT_EQ(TableRows(), (Rows{"b=2", "a=1", "=", "hi=hello"}));
    EXPECT_GT(controls.tableChanges, tableChanges) << "the grid shows the learned rows";
}

}  // namespace
}  // namespace brevanto::core::testing
