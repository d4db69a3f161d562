#include "ui/win32/frmBrevanto.h"

#include <initializer_list>
#include <string_view>
#include <tuple>
#include <utility>

#include "ui/layout/FollowHeight.h"
#include "ui/win32/ControlIds.h"
#include "ui/win32/FileDialog.h"
#include "ui/win32/InputBox.h"
#include "ui/win32/Links.h"
#include "ui/win32/TrayMenu.h"
#include "ui/win32/Win32Text.h"
#include "ui/win32/frmAbout.h"

namespace brevanto::win32ui {

namespace {

constexpr const char* kApplicationTitle = "Brevanto";
constexpr const char* kBuddyListPrompt = "Conversations will be display in the box below";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr int kClientWidth = 9360;  // twips
constexpr int kClientHeight = 5370;
// Below this much grid the window would start to hide controls.
constexpr int kMinimumGridHeight = 480;
constexpr UINT kMinTimerMs = 500;
constexpr UINT kCheckMessageTimerMs = 1000;
constexpr int kIconResource = 1;

enum class FontKind { Standard, Log, Large, LargeBold };

// The controls in tab order, which is the order they are created in. Positions are twips;
// those of the frame's controls are relative to the frame.
struct ControlLayout {
    int id;
    const char* windowClass;
    const char* text;
    DWORD style;
    int left, top, width, height;
    bool inFrame;
    FontKind font;
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

const ControlLayout kControls[] = {
    {IDC_flexGrid, WC_LISTVIEWA, "",
     LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | WS_TABSTOP, 120, 960,
     4935, 2895, false, FontKind::Standard},
    {IDC_picIcon, "STATIC", "", SS_ICON, 600, 120, 255, 375, false, FontKind::Standard},
    {IDC_fraControls, "BUTTON", "", BS_GROUPBOX, 120, 3840, 4935, 1455, false, FontKind::Standard},
    {IDC_cmdLearn, "BUTTON", "Lear&n Conversations", kButton, 1560, 960, 1800, 375, true,
     FontKind::Standard},
    {IDC_cmdSave, "BUTTON", "Sa&ve Data", kButton, 3360, 960, 1455, 375, true, FontKind::Standard},
    {IDC_cmdAdd, "BUTTON", "&Add Messages", kButton, 120, 960, 1455, 375, true, FontKind::Standard},
    {IDC_cboTextMessage, "COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     5160, 160, 4095, 2400, false, FontKind::Standard},
    {IDC_rtbMessages, LogBox::kClassName, "", WS_VSCROLL | WS_TABSTOP, 5160, 600, 4095, 4695, false,
     FontKind::Log},
    {IDC_cmdStart, "BUTTON", "&Start Auto Respond", kButton, 1800, 160, 1935, 375, false,
     FontKind::Standard},
    {IDC_txtDefaultMessage, "EDIT", ":-)", kTextBox, 1920, 240, 1215, 285, true,
     FontKind::Standard},
    // Two labels reach on to the next control, as far as stand-in fonts wider than MS Sans
    // Serif need to show them whole.
    {IDC_lblDefaultMessage, "STATIC", "Default Message:", kLabel, 120, 240, 1785, 315, true,
     FontKind::Large},
    {IDC_lblLeadingMessage, "STATIC", "Leading Message:", kLabel, 120, 600, 1725, 315, true,
     FontKind::Large},
    {IDC_txtLeadingMessage, "EDIT", "", kTextBox, 1920, 600, 1215, 285, true, FontKind::Standard},
    {IDC_lblMessages, "STATIC", "Messages", kLabel, 840, 600, 1095, 240, false,
     FontKind::LargeBold},
    {IDC_lblResponses, "STATIC", "Responses", kLabel, 3120, 600, 1200, 240, false,
     FontKind::LargeBold},
    {IDC_lblIgnore, "STATIC", "Ignore:", kLabel, 3750, 240, 1065, 240, true, FontKind::Large},
    {IDC_chkIgnore0, "BUTTON", "?", kCheckBox, 3480, 600, 495, 195, true, FontKind::LargeBold},
    {IDC_chkIgnore1, "BUTTON", ".", kCheckBox, 3960, 600, 375, 195, true, FontKind::LargeBold},
    {IDC_chkIgnore2, "BUTTON", "!", kCheckBox, 4440, 600, 375, 195, true, FontKind::LargeBold},
};

constexpr int kFrameTop = 3840;

const ControlLayout* LayoutOf(int id) {
    for (const ControlLayout& item : kControls) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

HICON LoadAppIcon(int size) {
    return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                           MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, size, size,
                                           LR_DEFAULTCOLOR));
}

}  // namespace

frmBrevanto::frmBrevanto(aim::WindowSystem& windows, std::filesystem::path dataFile)
    : scale_(TwipsScale::OfScreen()),
      fonts_(scale_.DpiY()),
      core_(windows, *this, std::move(dataFile)),
      mySysTray_(trayBackend_) {}

frmBrevanto::~frmBrevanto() {
    mySysTray_.HideIcon();
    if (window_) {
        ::DestroyWindow(window_);
    }
    for (HICON icon : {icon_, smallIcon_, largeIcon_, markedIcon_}) {
        if (icon) {
            ::DestroyIcon(icon);
        }
    }
}

bool frmBrevanto::Create(int showCommand) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    icon_ = LoadAppIcon(::GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadAppIcon(::GetSystemMetrics(SM_CXSMICON));
    largeIcon_ = LoadAppIcon(48);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &frmBrevanto::WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon_;
    windowClass.hIconSm = smallIcon_;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    ::RegisterClassExA(&windowClass);
    LogBox::Register(instance);

    menu_ = BuildMenus();
    // The caption as designed; loading renames the window.
    window_ =
        ::CreateWindowExA(0, kMainWindowClass, "&Start Auto Respond", kWindowStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, 100, 100, nullptr, menu_, instance, this);
    if (!window_) {
        return false;
    }
    BuildControls();

    RECT statusBar{};
    ::GetWindowRect(Control(IDC_StatusBar), &statusBar);
    RECT frame{0, 0, scale_.X(kClientWidth),
               scale_.Y(kClientHeight) + (statusBar.bottom - statusBar.top)};
    ::AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    Form_Load();
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
    return true;
}

void frmBrevanto::Place(int id, int left, int top, int width, int height) const {
    const ControlLayout* item = LayoutOf(id);
    const bool inFrame = item && item->inFrame;
    const int frameOffset = inFrame ? frameTop_ : 0;
    const int frameLeft = inFrame ? LayoutOf(IDC_fraControls)->left : 0;
    ::SetWindowPos(Control(id), nullptr, scale_.X(frameLeft + left), scale_.Y(frameOffset + top),
                   scale_.X(width), scale_.Y(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmBrevanto::BuildControls() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    frameTop_ = kFrameTop;
    for (const ControlLayout& item : kControls) {
        const bool visible = item.id != IDC_picIcon;  // only the holder of the icon image
        const DWORD exStyle = (item.id == IDC_flexGrid || item.id == IDC_rtbMessages ||
                               std::string_view(item.windowClass) == "EDIT")
                                  ? WS_EX_CLIENTEDGE
                                  : 0;
        HWND control = ::CreateWindowExA(
            exStyle, item.windowClass, item.text,
            WS_CHILD | (visible ? WS_VISIBLE : 0) | item.style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
        if (item.id == IDC_rtbMessages) {
            log_.Attach(control);
        }
        Place(item.id, item.left, item.top, item.width, item.height);
        switch (item.font) {
            case FontKind::Standard:
                SetFont(control, fonts_.Standard());
                break;
            case FontKind::Log:
                SetFont(control, fonts_.Log());
                break;
            case FontKind::Large:
                SetFont(control, fonts_.Large());
                break;
            case FontKind::LargeBold:
                SetFont(control, fonts_.LargeBold());
                break;
        }
    }
    ::SendMessageA(Control(IDC_picIcon), STM_SETICON, reinterpret_cast<WPARAM>(largeIcon_), 0);
    for (int id : {IDC_chkIgnore0, IDC_chkIgnore1, IDC_chkIgnore2}) {
        ::CheckDlgButton(window_, id, BST_CHECKED);
    }
    ::SetWindowTextA(Control(IDC_cboTextMessage), kBuddyListPrompt);

    // An etched divider under the menu bar: a dark line with a white one below it.
    for (auto [id, top, style] :
         {std::tuple{IDC_Line2, 10, SS_BLACKRECT}, std::tuple{IDC_Line1, 25, SS_WHITERECT}}) {
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | style, 0, scale_.Y(top),
                          scale_.X(9500), 1, window_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    }
    ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_StatusBar)), instance,
                      nullptr);
    SetFont(Control(IDC_StatusBar), fonts_.Standard());

    grid_ = std::make_unique<GridView>(Control(IDC_flexGrid), core_.Table());
}

HMENU frmBrevanto::BuildMenus() {
    HMENU bar = ::CreateMenu();
    auto popup = [bar](const char* caption,
                       std::initializer_list<std::pair<int, const char*>> items) {
        HMENU menu = ::CreatePopupMenu();
        for (const auto& [id, text] : items) {
            ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), text);
        }
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), caption);
    };
    popup("&Program", {{IDM_mnuStart, "&Start Auto Respond"},
                       {IDM_mnuStop, "Sto&p Auto Respond"},
                       {IDM_mnuExit, "E&xit"}});
    popup("&Messages", {{IDM_mnuAdd, "&Add Messages"},
                        {IDM_mnuSave, "Sa&ve Data"},
                        {IDM_mnuLearn, "Lear&n Conversation"},
                        {IDM_mnuTestMessage, "&Test a Message..."},
                        {IDM_mnuKeepConversations, "Keep &Conversations"},
                        {IDM_mnuReplyLimit, "Reply &Limit..."},
                        {IDM_mnuDelete, "&Delete Message"},
                        {IDM_mnuImport, "&Import..."},
                        {IDM_mnuExport, "&Export..."}});
    popup("&Help", {{IDM_mnuEmail, "&E-mail"}, {IDM_mnuWeb, "&Web"}, {IDM_mnuAbout, "&About"}});
    ::EnableMenuItem(bar, IDM_mnuStop, MF_BYCOMMAND | MF_GRAYED);
    return bar;
}

void frmBrevanto::Form_Load() {
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    core::WindowGeometry geometry;
    geometry.windowWidth = scale_.TwipsX(outer.right - outer.left);
    geometry.windowHeight = scale_.TwipsY(outer.bottom - outer.top);
    geometry.gridHeight = LayoutOf(IDC_flexGrid)->height;
    geometry.frameTop = kFrameTop;
    geometry.logHeight = LayoutOf(IDC_rtbMessages)->height;
    geometry.gridWidth = LayoutOf(IDC_flexGrid)->width;

    ::SetWindowTextA(window_, kApplicationTitle);
    core_.Form_Load(geometry);
    grid_->SetColumnWidths(scale_.X(core_.Layout().ColumnWidth));
    loaded_ = true;

    // Explorer announces a restart with this message; the icon is added again then.
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    mySysTray_.PopUpMessage = kApplicationTitle;
    mySysTray_.Initialize(reinterpret_cast<std::uintptr_t>(window_),
                          reinterpret_cast<std::intptr_t>(smallIcon_), mySysTray_.PopUpMessage,
                          kTrayCallbackMessage);
    mySysTray_.ShowIcon();
    StartMinTimer();
    Form_Resize();
}

void frmBrevanto::Form_Resize() {
    if (!loaded_ || ::IsIconic(window_) || ::IsZoomed(window_)) {
        return;
    }
    ::SendMessageA(Control(IDC_StatusBar), WM_SIZE, 0, 0);
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    const core::LayoutOffsets& layout = core_.Layout();
    if (auto follow = ui::FollowHeight(layout, scale_.TwipsY(outer.bottom - outer.top))) {
        const ControlLayout& grid = *LayoutOf(IDC_flexGrid);
        const ControlLayout& log = *LayoutOf(IDC_rtbMessages);
        Place(IDC_flexGrid, grid.left, grid.top, grid.width, static_cast<int>(follow->gridHeight));
        Place(IDC_rtbMessages, log.left, log.top, log.width, static_cast<int>(follow->logHeight));
        frameTop_ = static_cast<int>(follow->frameTop);
        for (const ControlLayout& item : kControls) {
            if (item.inFrame) {
                Place(item.id, item.left, item.top, item.width, item.height);
            }
        }
        const ControlLayout& frame = *LayoutOf(IDC_fraControls);
        ::SetWindowPos(Control(IDC_fraControls), nullptr, scale_.X(frame.left), scale_.Y(frameTop_),
                       scale_.X(frame.width), scale_.Y(frame.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    const int width = scale_.X(layout.FixedFormWidth);
    if (outer.right - outer.left != width) {
        ::SetWindowPos(window_, nullptr, 0, 0, width, outer.bottom - outer.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The width never changes and the height keeps every control in view; telling the system
// keeps it from offering other sizes.
void frmBrevanto::LimitSize(MINMAXINFO& limits) const {
    if (!loaded_) {
        return;
    }
    const core::LayoutOffsets& layout = core_.Layout();
    const int width = scale_.X(layout.FixedFormWidth);
    limits.ptMinTrackSize.x = width;
    limits.ptMaxTrackSize.x = width;
    limits.ptMinTrackSize.y = scale_.Y(layout.GridHeightOffset + kMinimumGridHeight);
}

LRESULT CALLBACK frmBrevanto::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<frmBrevanto*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<frmBrevanto*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam)
                : ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT frmBrevanto::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            if (auto result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) {
                return *result;
            }
            break;
        case WM_NOTIFYFORMAT:
            return NFR_ANSI;
        case WM_TIMER:
            if (wParam == kTimerCheckMessage) {
                core_.tmrCheckMessage_Timer();
            } else if (wParam == kTimerMin) {
                tmrMin_Timer();
            }
            return 0;
        case WM_SIZE:
            Form_Resize();
            return 0;
        case WM_GETMINMAXINFO:
            LimitSize(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case kTrayCallbackMessage:
            TrayIcon_MouseMessage(static_cast<unsigned>(LOWORD(lParam)));
            return 0;
        case WM_CLOSE:
            if (core_.QueryUnload()) {
                EndProgram();
            }
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            ::PostQuitMessage(0);
            return 0;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                mySysTray_.ShowAgain();
                return 0;
            }
            break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

void frmBrevanto::OnCommand(int id, int notification) {
    if (id == IDC_cboTextMessage) {
        if (notification == CBN_SELCHANGE) {
            cboTextMessage_Click();
        }
        return;
    }
    // Options are remembered once a text box is left or an Ignore box is clicked.
    if ((id == IDC_txtLeadingMessage || id == IDC_txtDefaultMessage) &&
        notification == EN_KILLFOCUS) {
        core_.OptionsChanged();
        return;
    }
    if (notification != BN_CLICKED || OnTableCommand(id)) {
        return;
    }
    switch (id) {
        case IDC_chkIgnore0:
        case IDC_chkIgnore1:
        case IDC_chkIgnore2:
            core_.OptionsChanged();
            break;
        case IDM_mnuTestMessage:
            core_.TestAMessage();
            break;
        case IDM_mnuKeepConversations:
            core_.ToggleKeepConversations();
            break;
        case IDM_mnuReplyLimit:
            core_.AskReplyLimit();
            break;
        case IDC_cmdStart:
        case IDM_mnuStart:
        case IDM_mnuStop:
            core_.ToggleAutoRespond();
            break;
        case IDM_mnuExit:
            if (core_.QueryUnload()) {
                EndProgram();
            }
            break;
        case IDC_cmdAdd:
        case IDM_mnuAdd:
            core_.AddMessageRow();
            break;
        case IDC_cmdSave:
        case IDM_mnuSave:
            core_.SaveData();
            break;
        case IDC_cmdLearn:
        case IDM_mnuLearn:
            core_.LearnAndSave();
            break;
        case IDM_mnuEmail:
            OpenSupportMail(window_);
            break;
        case IDM_mnuWeb:
            OpenWebPage(window_);
            break;
        case IDM_mnuAbout:
            mnuAbout_Click();
            break;
        default:
            break;
    }
}

std::optional<LRESULT> frmBrevanto::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_flexGrid) {
        return std::nullopt;
    }
    if (header.code == NM_CLICK) {
        flexGrid_Click();
        return 0;
    }
    if (auto handled = OnGridKey(header)) {
        return handled;
    }
    return grid_->Notify(header);
}

void frmBrevanto::flexGrid_Click() {
    // A click with Ctrl or Shift only adds rows to the selection.
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0) {
        return;
    }
    const DWORD position = ::GetMessagePos();
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    // A click beside every cell, or on a grid with no rows, edits nothing.
    if (const auto cell = grid_->CellAt(point)) {
        core_.Table().SetRow(cell->row);
        core_.Table().SetCol(cell->col);
        core_.flexGrid_Click();
    }
}

void frmBrevanto::cboTextMessage_Click() {
    const int index =
        static_cast<int>(::SendMessageA(Control(IDC_cboTextMessage), CB_GETCURSEL, 0, 0));
    if (index >= 0) {
        core_.cboTextMessage_Click(BuddyListItem(index));
    }
}

void frmBrevanto::mnuAbout_Click() {
    frmAbout box(scale_, fonts_, largeIcon_);
    aboutBox_ = &box;
    box.Run(window_);
    aboutBox_ = nullptr;
}

void frmBrevanto::TrayIcon_MouseMessage(unsigned message) {
    if (message == WM_MOUSEMOVE) {
        mySysTray_.TipText(mySysTray_.PopUpMessage);
    } else if (message == WM_RBUTTONUP) {
        OnTableCommand(ShowTrayMenu(window_, core_.Mode()));
    } else if (message == WM_LBUTTONDOWN) {
        if (aboutBox_) {
            aboutBox_->End(IDCANCEL);
        }
        if (::IsWindowVisible(window_)) {
            ::ShowWindow(window_, SW_HIDE);
            ::KillTimer(window_, kTimerMin);
        } else {
            ShowFromTray();
        }
    }
}

void frmBrevanto::tmrMin_Timer() {
    // Without an icon in the tray nothing could bring a hidden window back: then the
    // window stays minimised on the taskbar.
    if (::IsIconic(window_) && ::IsWindowVisible(window_) && mySysTray_.IconShown()) {
        ::ShowWindow(window_, SW_HIDE);
        ::KillTimer(window_, kTimerMin);
    }
}

void frmBrevanto::StartMinTimer() {
    ::SetTimer(window_, kTimerMin, kMinTimerMs, nullptr);
}

void frmBrevanto::EndProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    core_.OptionsChanged();  // a text still being typed
    ::KillTimer(window_, kTimerCheckMessage);
    ::KillTimer(window_, kTimerMin);
    mySysTray_.HideIcon();
    if (aboutBox_) {
        aboutBox_->End(IDCANCEL);
    }
    ::DestroyWindow(window_);
}

bool frmBrevanto::PreTranslate(MSG& message) {
    // Ctrl+S saves from anywhere in the window.
    if (window_ && message.message == WM_KEYDOWN && message.wParam == 'S' &&
        ::GetKeyState(VK_CONTROL) < 0 &&
        (message.hwnd == window_ || ::IsChild(window_, message.hwnd))) {
        core_.SaveData();
        return true;
    }
    return window_ && ::IsDialogMessageA(window_, &message);
}

// ---------------------------------------------------------------------------------------
// Controls

std::string frmBrevanto::LeadingMessage() const {
    return WindowText(Control(IDC_txtLeadingMessage));
}

std::string frmBrevanto::DefaultMessage() const {
    return WindowText(Control(IDC_txtDefaultMessage));
}

bool frmBrevanto::IgnoreChecked(int index) const {
    return index >= 0 && index < 3 &&
           ::IsDlgButtonChecked(window_, IDC_chkIgnore0 + index) == BST_CHECKED;
}

std::string frmBrevanto::IgnoreCaption(int index) const {
    if (index < 0 || index >= 3) {
        return {};
    }
    return WindowText(Control(IDC_chkIgnore0 + index));
}

void frmBrevanto::ApplyMode(const core::ModeControls& mode) {
    if (mode.checkMessageTimerEnabled) {
        ::SetTimer(window_, kTimerCheckMessage, kCheckMessageTimerMs, nullptr);
    } else {
        ::KillTimer(window_, kTimerCheckMessage);
    }
    ::SetWindowTextA(Control(IDC_cmdStart), mode.startCaption.c_str());
    auto enable = [this](int id, bool enabled) {
        ::EnableMenuItem(menu_, static_cast<UINT>(id),
                         MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(IDM_mnuStart, mode.startMenuEnabled);
    enable(IDM_mnuStop, mode.stopMenuEnabled);
    enable(IDM_mnuLearn, mode.learnMenuEnabled);
    ::EnableWindow(Control(IDC_cmdLearn), mode.learnButtonEnabled);
    ShowTrayMode(mode);
}

void frmBrevanto::SetLeadingMessage(const std::string& text) {
    ::SetWindowTextA(Control(IDC_txtLeadingMessage), text.c_str());
}

void frmBrevanto::SetDefaultMessage(const std::string& text) {
    ::SetWindowTextA(Control(IDC_txtDefaultMessage), text.c_str());
}

void frmBrevanto::SetIgnoreChecked(int index, bool checked) {
    if (index >= 0 && index < 3) {
        ::CheckDlgButton(window_, IDC_chkIgnore0 + index, checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

void frmBrevanto::ShowOptions(bool keepConversations, int replyLimitMinutes) {
    ::CheckMenuItem(menu_, IDM_mnuKeepConversations,
                    MF_BYCOMMAND | (keepConversations ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(menu_, IDM_mnuReplyLimit,
                    MF_BYCOMMAND | (replyLimitMinutes > 0 ? MF_CHECKED : MF_UNCHECKED));
}

void frmBrevanto::SetLogText(const std::string& text) {
    log_.Set(text);
}

void frmBrevanto::AddBuddyToList(const std::string& name) {
    // The edit field keeps its text until an entry is selected.
    ::SendMessageA(Control(IDC_cboTextMessage), CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(name.c_str()));
}

int frmBrevanto::BuddyListCount() const {
    return static_cast<int>(::SendMessageA(Control(IDC_cboTextMessage), CB_GETCOUNT, 0, 0));
}

std::string frmBrevanto::BuddyListItem(int index) const {
    const HWND list = Control(IDC_cboTextMessage);
    const LRESULT length = ::SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

void frmBrevanto::SelectBuddy(int index) {
    ::SendMessageA(Control(IDC_cboTextMessage), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void frmBrevanto::TableChanged() {
    grid_->Refresh();
}

void frmBrevanto::ShowStatus(const std::string& text) {
    ::SendMessageA(Control(IDC_StatusBar), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int frmBrevanto::MsgBox(const std::string& prompt, int style, const std::string& title) {
    const int answer =
        ::MessageBoxA(window_, prompt.c_str(), title.empty() ? kApplicationTitle : title.c_str(),
                      static_cast<UINT>(style));
    if (answer != 0) {
        return answer;
    }
    // A box that could not be shown counts as closed without an answer.
    switch (style) {
        case core::kYesNo:
            return core::kNo;
        case core::kOkCancel:
        case core::kYesNoCancel:
            return core::kCancel;
        default:
            return core::kOk;
    }
}

std::string frmBrevanto::InputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
    win32ui::InputBox box(scale_, fonts_, prompt, title.empty() ? kApplicationTitle : title,
                          defaultText);
    std::string text = box.Ask(window_);
    inputLostCharacters_ = box.LostCharacters();
    return text;
}

bool frmBrevanto::InputLostCharacters() const {
    return inputLostCharacters_;
}

std::filesystem::path frmBrevanto::ChooseFile(core::FileChoice purpose) {
    return ChooseFileName(window_, purpose == core::FileChoice::Export);
}

}  // namespace brevanto::win32ui
