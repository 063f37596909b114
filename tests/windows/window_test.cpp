// The Windows program as a user meets it, driven through Windows' own window
// and input functions from another process: started from a folder other
// than its own, it shows the splash window and the main window, the main
// window active and in front, every client area at its stored place; the
// keys 1 + 2 = show 3; About opens active and Escape hides it; "?" opens the
// help example; a division by zero brings up the error report and the
// calculator goes on; File > Exit ends the program with status 0.
//   window_test PROGRAM
// With --main-window instead, it waits for the main window of a copy of the
// program that was started otherwise, for checks that close it from outside.
// Prints one line per check and exits with the number of failed checks.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace {

int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAIL", what);
    std::fflush(stdout);
    if (!passed)
        ++failures;
}

// The layouts' boxes in twips, 15 to a pixel at Windows' 96 dots per inch.
struct Box {
    int left;
    int top;
    int width;
    int height;
};
constexpr int pixels(int twips) { return twips / 15; }

constexpr Box kMainClient{5370, 3480, 3750, 2970};
constexpr Box kSplashClient{3930, 6540, 7380, 4245};
constexpr int kSplashFrame = 3; // drawn by the splash window around its client area
constexpr Box kAboutClient{9690, 660, 5505, 3540};
constexpr Box kHelpClient{9480, 3180, 4230, 3390};

constexpr Box kDisplay{120, 0, 3495, 375};
constexpr Box kOne{120, 1080, 495, 375};
constexpr Box kTwo{840, 1080, 495, 375};
constexpr Box kZero{840, 2520, 495, 375};
constexpr Box kAdd{3000, 1080, 495, 405};
constexpr Box kDivide{3000, 1560, 495, 405};
constexpr Box kEquals{3000, 2040, 495, 375};
constexpr Box kClear{2400, 2520, 1095, 375};
constexpr Box kHelpKey{3480, 360, 255, 255};

constexpr wchar_t kMainTitle[] = L"RuRozovizera(Frost Figures)";

bool waitFor(const std::function<bool()>& condition, DWORD milliseconds = 15000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(50);
    }
    return true;
}

std::wstring titleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

// The program's visible top-level windows, front to back.
std::vector<HWND> windowsOf(DWORD process) {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window))
            windows.push_back(window);
    }
    return windows;
}

// The toolkit gives a window without a caption the application's name as
// its text, so the windows are told apart by their text and by the windows
// already known.
HWND windowTitled(DWORD process, const std::wstring& title, HWND other = nullptr) {
    for (HWND window : windowsOf(process))
        if (window != other && titleOf(window) == title)
            return window;
    return nullptr;
}

POINT clientOrigin(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

SIZE clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

bool at(POINT point, int x, int y) { return point.x == x && point.y == y; }

// The main window's stored client area is the part of the Windows client
// area below the menu bar, which the toolkit draws there.
POINT storedOrigin(HWND main) {
    POINT origin{0, clientSize(main).cy - pixels(kMainClient.height)};
    ClientToScreen(main, &origin);
    return origin;
}

// A click on the spot: the pointer moves there, as a user's hand moves it,
// and the button's press and release go to the window under it through its
// own window procedure, each handled before the next is sent. Clicks sent
// into Wine's input queue with SendInput were now and then lost there, most
// often the first ones after a window of the program had closed.
void clickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    waitFor([point] {
        POINT cursor{};
        return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
    });
    HWND target = WindowFromPoint(point);
    if (!target)
        return;
    POINT local = point;
    ScreenToClient(target, &local);
    const LPARAM where = MAKELPARAM(local.x, local.y);
    const struct {
        UINT message;
        WPARAM buttons;
    } steps[] = {{WM_MOUSEMOVE, 0}, {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}};
    for (const auto& step : steps)
        SendMessageTimeoutW(target, step.message, step.buttons, where, SMTO_NORMAL, 5000, nullptr);
    Sleep(150);
}

void click(HWND main, Box box) {
    const POINT origin = storedOrigin(main);
    clickAt(
        {origin.x + pixels(box.left + box.width / 2), origin.y + pixels(box.top + box.height / 2)});
}

void key(WORD code, bool withControl = false) {
    std::vector<INPUT> strokes;
    const auto stroke = [&strokes](WORD which, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = which;
        input.ki.dwFlags = flags;
        strokes.push_back(input);
    };
    if (withControl)
        stroke(VK_CONTROL, 0);
    stroke(code, 0);
    stroke(code, KEYEVENTF_KEYUP);
    if (withControl)
        stroke(VK_CONTROL, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
    Sleep(150);
}

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Reads the display as a user would take its text: select all, copy.
std::wstring displayText(HWND main) {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    click(main, kDisplay);
    key('A', true);
    key('C', true);
    std::wstring text;
    waitFor([&text] { return !(text = clipboardText()).empty(); }, 5000);
    return text;
}

bool ended(const PROCESS_INFORMATION& process, DWORD milliseconds) {
    return WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0;
}

void checkStart(DWORD id, HWND main, HWND splash) {
    check(GetForegroundWindow() == main, "the main window is the active window");
    const std::vector<HWND> order = windowsOf(id);
    std::size_t mainPlace = order.size();
    std::size_t splashPlace = order.size();
    for (std::size_t place = 0; place < order.size(); ++place) {
        if (order[place] == main)
            mainPlace = place;
        if (order[place] == splash)
            splashPlace = place;
    }
    check(mainPlace < splashPlace, "the main window stands in front of the splash window");

    check(at(storedOrigin(main), pixels(kMainClient.left), pixels(kMainClient.top)) &&
              clientSize(main).cx == pixels(kMainClient.width),
          "the main window's client area, below its menu bar, is at its stored place");
    const POINT splashOrigin = clientOrigin(splash);
    const SIZE splashSize = clientSize(splash);
    check(at(splashOrigin, pixels(kSplashClient.left) - kSplashFrame,
             pixels(kSplashClient.top) - kSplashFrame) &&
              splashSize.cx == pixels(kSplashClient.width) + 2 * kSplashFrame &&
              splashSize.cy == pixels(kSplashClient.height) + 2 * kSplashFrame,
          "the splash window's client area, inside its own frame, is at its stored place");

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(splash, GWL_STYLE));
    check((style & WS_CAPTION) != WS_CAPTION &&
              (style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0,
          "the splash window has no caption and cannot be resized, maximised or minimised");
    const auto mainStyle = static_cast<DWORD>(GetWindowLongPtrW(main, GWL_STYLE));
    check((mainStyle & WS_CAPTION) == WS_CAPTION && (mainStyle & WS_THICKFRAME) &&
              (mainStyle & WS_SYSMENU),
          "the main window has the default resizable frame with a title bar");
}

// Whether the splash window shows "(Click To Close)": white letters on its
// navy label, which it draws only once the main window has drawn, the last
// step of the start-up.
bool splashContentDrawn(HWND splash) {
    constexpr Box kClickToClose{120 + 3000, 120 + 3480, 1215, 375}; // within Frame1
    const POINT origin = clientOrigin(splash);
    const int left = origin.x + kSplashFrame + pixels(kClickToClose.left);
    const int top = origin.y + kSplashFrame + pixels(kClickToClose.top);
    HDC screen = GetDC(nullptr);
    bool navy = false;
    bool white = false;
    for (int y = top; y < top + pixels(kClickToClose.height); ++y) {
        for (int x = left; x < left + pixels(kClickToClose.width); ++x) {
            const COLORREF colour = GetPixel(screen, x, y);
            navy = navy || colour == RGB(0, 0, 0x40);
            white = white || colour == RGB(0xFF, 0xFF, 0xFF);
        }
    }
    ReleaseDC(nullptr, screen);
    return navy && white;
}

void checkCalculation(HWND main) {
    for (const Box& box : {kOne, kAdd, kTwo, kEquals})
        click(main, box);
    const std::wstring shown = displayText(main);
    check(shown == L"3", "1 + 2 = shows 3");
    if (shown != L"3")
        std::printf("  the display shows \"%ls\"\n", shown.c_str());
}

// A secondary window that has just been asked for: on screen, active, its
// client area at its stored place. Null when it did not come up.
HWND checkShown(DWORD id, const std::wstring& title, Box stored, const char* opened) {
    HWND window = nullptr;
    check(waitFor([&] { return (window = windowTitled(id, title)) != nullptr; }), opened);
    if (!window)
        return nullptr;
    const std::string name(title.begin(), title.end());
    check(waitFor([window] { return GetForegroundWindow() == window; }),
          ("the " + name + " window is the active window").c_str());
    check(at(clientOrigin(window), pixels(stored.left), pixels(stored.top)) &&
              clientSize(window).cx == pixels(stored.width) &&
              clientSize(window).cy == pixels(stored.height),
          ("the " + name + " window's client area is at its stored place").c_str());
    return window;
}

void checkAbout(DWORD id, HWND main) {
    // The menu bar from the keyboard, as on Windows: Alt, then Right to
    // "About", which acts at once on Enter.
    key(VK_MENU);
    key(VK_RIGHT);
    key(VK_RETURN);
    HWND about = checkShown(id, L"About", kAboutClient, "About opens the About window");
    if (!about)
        return;
    key(VK_ESCAPE);
    check(waitFor([about] { return !IsWindowVisible(about); }), "Escape hides the About window");
    check(waitFor([main] { return GetForegroundWindow() == main; }),
          "the main window is active again");
}

void checkHelp(DWORD id, HWND main) {
    click(main, kHelpKey);
    HWND help = checkShown(id, L"Help-Example", kHelpClient, "\"?\" opens the help-example window");
    if (!help)
        return;
    PostMessageW(help, WM_CLOSE, 0, 0);
    check(waitFor([id] { return windowTitled(id, L"Help-Example") == nullptr; }),
          "closing the help-example window takes it off the screen");
}

void checkErrorReport(const PROCESS_INFORMATION& process, HWND main, HWND splash) {
    SetForegroundWindow(main);
    waitFor([main] { return GetForegroundWindow() == main; });
    for (const Box& box : {kClear, kOne, kDivide, kZero, kEquals})
        click(main, box);
    HWND report = nullptr;
    check(waitFor([&] {
              report = windowTitled(process.dwProcessId, L"RuRozovizera", splash);
              return report && GetForegroundWindow() == report;
          }),
          "a division by zero shows the error report, active");
    if (!report)
        return;
    key(VK_RETURN);
    check(waitFor([&] { return !IsWindow(report) || !IsWindowVisible(report); }),
          "Enter dismisses the error report");
    check(!ended(process, 500) && IsWindowVisible(main), "the calculator goes on after the report");
}

void checkExit(const PROCESS_INFORMATION& process, HWND main) {
    SetForegroundWindow(main);
    waitFor([main] { return GetForegroundWindow() == main; });
    // Alt, then Enter opens "File" at its first entry, "Exit".
    key(VK_MENU);
    key(VK_RETURN);
    key(VK_RETURN);
    DWORD status = 1;
    check(ended(process, 15000) && GetExitCodeProcess(process.hProcess, &status) && status == 0,
          "File > Exit ends the program with status 0");
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_test PROGRAM | window_test --main-window\n");
        return 2;
    }
    if (std::wstring(argv[1]) == L"--main-window") {
        check(waitFor(
                  [] {
                      HWND main = FindWindowW(nullptr, kMainTitle);
                      return main && IsWindowVisible(main);
                  },
                  30000),
              "the running program's main window is up");
        return failures;
    }
    // Started from the temporary folder: the program finds what it loads
    // beside itself, not in the current folder.
    wchar_t elsewhere[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, elsewhere);
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, elsewhere,
                        &startup, &process)) {
        std::fprintf(stderr, "window_test: cannot start %ls (error %lu)\n", argv[1],
                     GetLastError());
        return 2;
    }
    const DWORD id = process.dwProcessId;

    HWND main = nullptr;
    HWND splash = nullptr;
    const bool both = waitFor(
        [&] {
            main = windowTitled(id, kMainTitle);
            splash = windowTitled(id, L"RuRozovizera");
            return main && splash && GetForegroundWindow() == main;
        },
        30000);
    check(main && splash, "the splash window and the main window come up");
    if (main && splash) {
        if (!both)
            std::printf("  the active window is \"%ls\"\n", titleOf(GetForegroundWindow()).c_str());
        checkStart(id, main, splash);
        check(waitFor([splash] { return splashContentDrawn(splash); }),
              "the splash window draws its content after the main window's first frame");
        checkCalculation(main);
        checkAbout(id, main);
        checkHelp(id, main);
        checkErrorReport(process, main, splash);
        checkExit(process, main);
    }
    if (!ended(process, 0))
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%d failed\n", failures);
    return failures;
}
