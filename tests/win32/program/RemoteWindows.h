#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Reaching the windows of another process the way a person's mouse and keyboard would, and
// reading back what the person would see. Every wait is bounded.
namespace brevanto::wine {

// Polls until done() holds or timeoutMs has passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The folder of the running test program, ending in a separator: brevanto.exe is found
// from there through its place in the build tree.
std::string ThisProgramsFolder();

// SendMessageTimeoutA: the answer, or none when the window is gone or does not answer in time.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A control's text through WM_GETTEXT, which Windows copies between processes; "" when the
// window does not answer.
std::string TextOf(HWND window);
bool SetTextOf(HWND window, const std::string& text);
// The caption the window system keeps for any window: titles, static texts, button captions.
std::string CaptionOf(HWND window);

// The dialog box (class "#32770") that owner owns, or null.
HWND OwnedBox(HWND owner);

// A button pressed as a click does it: posted, so a modal box it opens cannot block us.
bool Press(HWND button);

// A list view of another process. Its messages that answer through a pointer need that
// pointer in the list view's process, so their structures travel through a block of memory
// allocated there.
class RemoteListView {
  public:
    RemoteListView(HWND listView, HANDLE process);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int Rows() const;
    std::optional<RECT> CellRect(int row, int column) const;
    std::optional<std::string> CellText(int row, int column) const;
    // A left click in the middle of the cell: the cursor moves there first, so the posted
    // button messages carry the click's position both in lParam and as the message position.
    bool ClickCell(int row, int column) const;
    bool Click(POINT client) const;

  private:
    // Sends the message with data copied through the block; the answer, or none.
    std::optional<LRESULT> Exchange(UINT message, WPARAM wParam, void* data, SIZE_T size) const;

    HWND listView_;
    HANDLE process_;
    void* block_;
};

}  // namespace brevanto::wine
