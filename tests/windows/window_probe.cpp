// window_probe: looks at a running Velmora window from outside, the way Windows itself sees
// it, for tests/windows/run-under-wine.sh. Wine draws child controls itself, so the X
// display shows none of them; the Win32 window tree does.
//
//   window_probe controls TITLE   the window's client size and styles, then each child
//                                 control: id, class, text, rectangle in client pixels
//   window_probe about TITLE      waits for the about box over the window (opened from its
//                                 system menu), shows its controls and closes it again
// Each waits up to 60 seconds for the window; exit status 1 when it never comes.
// (The system menu itself cannot be read from another process under Wine, whose menus
// live in the process that owns them; the test walks it with the keyboard instead.)

#include <cstdio>
#include <string>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return bytes;
}

std::wstring Wide(const char* text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
    return wide;
}

std::wstring WindowText(HWND window) {
    std::vector<wchar_t> text(1024);
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return {text.data(), static_cast<std::size_t>(length > 0 ? length : 0)};
}

HWND WaitForWindow(const std::wstring& title, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (HWND window = ::FindWindowW(nullptr, title.c_str());
            window != nullptr && ::IsWindowVisible(window)) {
            return window;
        }
        ::Sleep(100);
    }
    return nullptr;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM parent) {
    if (::GetParent(control) != reinterpret_cast<HWND>(parent)) {
        return TRUE;  // only the dialog's own controls, not the parts of a control
    }
    wchar_t kind[256] = {};
    ::GetClassNameW(control, kind, 256);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect),
                      2);
    std::printf("control %d %s %ld %ld %ld %ld %s\n", ::GetDlgCtrlID(control), Utf8(kind).c_str(),
                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                Utf8(WindowText(control)).c_str());
    return TRUE;
}

void PrintControls(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    std::printf("client %ld %ld\n", client.right, client.bottom);
    const auto style = static_cast<unsigned long>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto extended = static_cast<unsigned long>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    std::printf("style%s%s%s%s%s\n", (style & WS_CAPTION) == WS_CAPTION ? " caption" : "",
                (style & WS_SYSMENU) != 0 ? " sysmenu" : "",
                (style & WS_MINIMIZEBOX) != 0 ? " minimizebox" : "",
                (style & WS_MAXIMIZEBOX) != 0 ? " maximizebox" : "",
                (extended & WS_EX_DLGMODALFRAME) != 0 ? " modalframe" : "");
    ::EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
}

int CloseAbout() {
    HWND about = WaitForWindow(L"About Velmora", 30);
    if (about == nullptr) {
        std::printf("no about box\n");
        return 1;
    }
    std::printf("about box shown\n");
    PrintControls(about);
    ::PostMessageW(about, WM_CLOSE, 0, 0);
    for (int i = 0; i < 300 && ::IsWindow(about) && ::IsWindowVisible(about); ++i) {
        ::Sleep(100);
    }
    if (::IsWindow(about) && ::IsWindowVisible(about)) {
        std::printf("the about box stayed open\n");
        return 1;
    }
    std::printf("about box closed\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_probe controls|about TITLE\n");
        return 2;
    }
    const std::string what = argv[1];
    HWND window = WaitForWindow(Wide(argv[2]), 60);
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    if (what == "controls") {
        PrintControls(window);
    } else if (what == "about") {
        return CloseAbout();
    } else {
        return 2;
    }
    return 0;
}
