#pragma once

// The identifiers of the Windows window's controls, menu items and boxes. Programs that
// drive Brevanto from outside (the whole-program test under Wine) find its controls by
// these numbers, so they never change once given.
namespace brevanto::win32ui {

// The main window: class and, once loaded, caption "Brevanto".
inline constexpr const char* kMainWindowClass = "BrevantoMainWindow";

// Controls of the main window, all direct children of it.
enum ControlId : int {
    IDC_flexGrid = 101,  // list view, report view, one item per table row
    IDC_picIcon,
    IDC_fraControls,
    IDC_cmdLearn,
    IDC_cmdSave,
    IDC_cmdAdd,
    IDC_cboTextMessage,  // drop-down combo box
    IDC_rtbMessages,     // read-only log box (LogBox)
    IDC_cmdStart,
    IDC_txtDefaultMessage,
    IDC_lblDefaultMessage,
    IDC_lblLeadingMessage,
    IDC_txtLeadingMessage,
    IDC_lblMessages,
    IDC_lblResponses,
    IDC_lblIgnore,
    IDC_chkIgnore0,  // "?"
    IDC_chkIgnore1,  // "."
    IDC_chkIgnore2,  // "!"
    IDC_Line1,
    IDC_Line2,
    IDC_StatusBar,
};

// Menu items: WM_COMMAND with these identifiers does what choosing the item does.
enum MenuId : int {
    IDM_mnuStart = 201,
    IDM_mnuStop,
    IDM_mnuExit,
    IDM_mnuAdd = 211,
    IDM_mnuSave,
    IDM_mnuLearn,
    IDM_mnuTestMessage,        // "&Test a Message..."
    IDM_mnuKeepConversations,  // "Keep &Conversations", checked while on
    IDM_mnuReplyLimit,         // "Reply &Limit...", checked while a limit is set
    IDM_mnuEmail = 221,
    IDM_mnuWeb,
    IDM_mnuAbout,
};

// Menu items of the table's further commands, and of the tray icon's right-click menu.
enum TableMenuId : int {
    IDM_mnuDelete = 241,
    IDM_mnuImport,
    IDM_mnuExport,
    IDM_trayShow = 251,
    IDM_trayToggle,  // Start or Stop Auto Respond, as the mode is
    IDM_trayExit,
};

// The input box, the About box and the progress box are dialogs (class "#32770") owned by the main
// window, with OK as IDOK (1) and Cancel as IDCANCEL (2). Message boxes are the system's.
enum BoxControlId : int {
    IDC_InputPrompt = 301,
    IDC_InputText,  // single-line edit holding the cell's text
    IDC_AboutIcon = 311,
    IDC_AboutTitle,
    IDC_AboutVersion,
    IDC_AboutName,
    IDC_ProgressText = 321,
    IDC_ProgressBar,
};

// The tray icon's notifications reach the main window as this message, with the mouse
// message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) in lParam.
inline constexpr unsigned kTrayCallbackMessage = 0x8000 + 1;  // WM_APP + 1

// The main window's timers (WM_TIMER's wParam): the minimise check and the responder's
// tick. A measurement sends the tick's WM_TIMER to time one tick on its own.
inline constexpr unsigned kTimerMin = 1;
inline constexpr unsigned kTimerCheckMessage = 2;

}  // namespace brevanto::win32ui
