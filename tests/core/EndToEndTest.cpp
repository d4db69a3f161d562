#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "aim/text/TranscriptText.h"

// A whole session without a display: start-up on an existing table, learning, a hand edit
// and a save, then auto-respond against the simulated client, tick by tick.
namespace brevanto::core::testing {
namespace {

using aim::Hwnd;

class Session : public CoreTest {
  protected:
    std::string Transcript(Hwnd im) const { return modAIM::HTMLToText(aim.TranscriptHtml(im)); }

    // One tick of the check timer, then the client's own message loop.
    void Tick() {
        ASSERT_TRUE(window->Mode().checkMessageTimerEnabled);
        window->tmrCheckMessage_Timer();
    }
};

TEST_F(Session, LearnEditSaveThenAnswerLogAndCloseEveryIMWindow) {
    aim.SignOn("kim");
    aim.SetTime(21, 14, 2);
    Start("how are you=fine thanks\r\nhi=hello there\r\n");
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"how are you=fine thanks", "hi=hello there"}));

    // Learning from a conversation the user had.
    const Hwnd lesson = aim.OpenIMWindow("sam");
    aim.DeliverBuddyLine(lesson, "What's up?");
    aim.TypeAndSend(lesson, "Not much");
    window->LearnAndSave();
    aim.Close(lesson);

    // A pair typed by hand, then saved.
    window->AddMessageRow();
    controls.inputBoxAnswers = {"Bye!", "see you"};
    window->flexGrid_Click();
    window->Table().SetCol(1);
    window->flexGrid_Click();
    window->SaveData();

    const std::string saved = ReadBytes(dataFile);
    EXPECT_EQ(saved,
              "bye=see you\r\nhi=hello there\r\nhow are you=fine thanks\r\nwhat's up=Not much\r\n");

    // Auto-respond on, after the notice.
    window->ToggleAutoRespond();
    ASSERT_TRUE(controls.mode.checkMessageTimerEnabled);

    // Back to front: cy has opened a window but said nothing, ann writes in two windows,
    // bob's message the user has already answered.
    const Hwnd cy = aim.OpenIMWindow("cy");
    const Hwnd annFirst = aim.OpenIMWindow("ann");
    aim.DeliverBuddyLine(annFirst, "HI!");
    const Hwnd bob = aim.OpenIMWindow("bob");
    aim.DeliverBuddyLine(bob, "how are you");
    aim.TypeAndSend(bob, "good, you?");
    const Hwnd annSecond = aim.OpenIMWindow("ann");
    aim.DeliverBuddyLine(annSecond, "Bye!");

    Tick();
    // Sent at once; the window closes when the client's message loop runs.
    EXPECT_EQ(Transcript(annSecond), "ann: Bye!\nkim: see you\n");
    EXPECT_TRUE(aim.IsAlive(annSecond));
    aim.ProcessMessages();
    EXPECT_FALSE(aim.IsAlive(annSecond));
    EXPECT_EQ(controls.logText, "ann: Bye!\nkim: see you\n");

    const std::string bobBefore = Transcript(bob);
    Tick();
    EXPECT_EQ(Transcript(bob), bobBefore);  // nothing new to answer
    aim.ProcessMessages();
    EXPECT_FALSE(aim.IsAlive(bob));

    Tick();
    EXPECT_EQ(Transcript(annFirst), "ann: HI!\nkim: hello there\n");
    aim.ProcessMessages();
    EXPECT_FALSE(aim.IsAlive(annFirst));

    // The empty window is left alone, tick after tick.
    Tick();
    aim.ProcessMessages();
    Tick();
    aim.ProcessMessages();
    EXPECT_TRUE(aim.IsAlive(cy));
    EXPECT_EQ(Transcript(cy), "");

    aim.DeliverBuddyLine(cy, "what's up");
    Tick();
    aim.ProcessMessages();
    EXPECT_FALSE(aim.IsAlive(cy));
    EXPECT_TRUE(aim.IMWindows().empty());

    // The log: one record per buddy, in order of first contact.
    const auto& log = window->Conversations();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].BuddyName, "ann");
    EXPECT_EQ(log[0].Transcript, "ann: Bye!\nkim: see you\n\nann: HI!\nkim: hello there\n");
    EXPECT_EQ(log[1].BuddyName, "bob");
    EXPECT_EQ(log[1].Transcript, "bob: how are you\nkim: good, you?\n");
    EXPECT_EQ(log[2].BuddyName, "cy");
    EXPECT_EQ(log[2].Transcript, "cy: what's up\nkim: Not much\n");
    EXPECT_EQ(controls.buddyList, (std::vector<std::string>{"ann", "bob", "cy"}));
    EXPECT_EQ(controls.selectedBuddy, 2);
    EXPECT_EQ(controls.logText, log[2].Transcript);

    // Off again: no notice, and windows that open now stay open.
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, ModeControls{});
    EXPECT_FALSE(window->Mode().checkMessageTimerEnabled);

    const ShownBox edit{ShownBox::Kind::Input,
                        "Enter new value for the row \rClick OK to save. Click CANCEL to clear.",
                        kOkOnly, "", ""};
    EXPECT_EQ(
        controls.boxes,
        (std::vector<ShownBox>{
            Box("Click on the IM box then click OK to learn.", kOkCancel, "Learning Conversations"),
            Box("The program has learn the conversations and the data was saved!", kOkOnly, "Done"),
            edit,
            edit,
            Box("The message was saved!", kOkOnly, "Done"),
            Box("This will close all current IM windows, and you will also not be able to "
                "view any IM windows when the program is running. But don't worry, the "
                "messages will be saved and you can view them on the box on the right "
                "side. Do you want to continue?",
                kYesNo, "Notice"),
        }));
    EXPECT_TRUE(controls.statusMessages.empty());
    // The cycle only reads the data file.
    EXPECT_EQ(ReadBytes(dataFile), saved);
}

}  // namespace
}  // namespace brevanto::core::testing
