// A stand-in for the voice client, for tests and demonstrations on machines without it.
//
// It opens a top-level dialog window (class "#32770") titled like the client's main window,
// registers the client's three named messages, and logs every event it receives, one line
// each, flushed at once, to a log file and to the list in its window:
//
//   CMDLINE <its whole command line>        at start
//   ARGS <the arguments after the options>  at start
//   REMOVE / NEW / SORT                     the three registered messages
//   COPYDATA <cbData> <text>                WM_COPYDATA; text up to the first zero byte
//
// Options, before any other argument:
//   --title TEXT   window title (default "Roger Wilco")
//   --log FILE     log file (default: $KESTRION_CLIENTSIM_LOG, else clientsim.log beside
//                  the executable)
//   --freeze       create the window, then stop handling messages (a hung client)
// A command "/shutdown" received by WM_COPYDATA, or given as the arguments, closes it.

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Names the client and its peers agree on; never translated.
constexpr char kRemoveMessage[] = "5x5 Networking Remove Channel";
constexpr char kNewMessage[] = "5x5 Networking New Channel";
constexpr char kSortMessage[] = "5x5 Networking Sort Channel";
constexpr char kDefaultTitle[] = "Roger Wilco";
constexpr char kLogVariable[] = "KESTRION_CLIENTSIM_LOG";
constexpr int kListId = 100;

UINT g_removeId = 0;
UINT g_newId = 0;
UINT g_sortId = 0;
std::string g_logPath;
HWND g_list = nullptr;

void logLine(const std::string& line)
{
    std::string record = line + "\r\n";
    HANDLE file = CreateFileA(g_logPath.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    if (g_list) {
        LRESULT index =
            SendMessageA(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(g_list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
}

// Splits off one argument of a command line by the usual rules for the program name and
// simple quoted options: a leading quote runs to the next quote, otherwise to a blank.
std::string takeToken(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    std::string token;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            token += *p++;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            token += *p++;
    }
    return token;
}

struct Options {
    std::string title = kDefaultTitle;
    std::string log;
    bool freeze = false;
    std::string args;
};

Options parseCommandLine(const char* commandLine)
{
    Options options;
    const char* p = commandLine;
    takeToken(p); // the program itself
    for (;;) {
        const char* save = p;
        std::string token = takeToken(p);
        if (token == "--title") {
            options.title = takeToken(p);
        } else if (token == "--log") {
            options.log = takeToken(p);
        } else if (token == "--freeze") {
            options.freeze = true;
        } else {
            p = save;
            break;
        }
    }
    if (*p == ' ')
        ++p; // the one blank between the program (or last option) and the arguments
    options.args = p;
    return options;
}

std::string defaultLogPath()
{
    char value[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA(kLogVariable, value, sizeof value);
    if (n > 0 && n < sizeof value)
        return value;
    char exe[MAX_PATH * 4];
    n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string path(exe, n);
    auto slash = path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
           "clientsim.log";
}

bool isShutdown(const std::string& command)
{
    return command.rfind("/shutdown", 0) == 0;
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == g_removeId && g_removeId) {
        logLine("REMOVE");
        return TRUE;
    }
    if (message == g_newId && g_newId) {
        logLine("NEW");
        return TRUE;
    }
    if (message == g_sortId && g_sortId) {
        logLine("SORT");
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COPYDATA: {
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string text;
        if (record && record->lpData) {
            const char* data = static_cast<const char*>(record->lpData);
            text.assign(data, strnlen(data, record->cbData));
        }
        logLine("COPYDATA " + std::to_string(record ? record->cbData : 0) + " " + text);
        if (isShutdown(text))
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_SIZE:
        if (g_list)
            MoveWindow(g_list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return TRUE;
    case WM_CLOSE: DestroyWindow(dialog); return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return TRUE;
    }
    return FALSE;
}

// An in-memory dialog template: a resizable dialog holding one list box.
std::vector<WORD> dialogTemplate()
{
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&t](const wchar_t* s) {
        do
            t.push_back(static_cast<WORD>(*s));
        while (*s++);
    };
    dword(WS_OVERLAPPEDWINDOW | DS_SETFONT); // style; shown once titled
    dword(0);                                // extended style
    t.push_back(1);                          // one control
    t.push_back(40);                         // x, y, cx, cy in dialog units
    t.push_back(40);
    t.push_back(260);
    t.push_back(140);
    t.push_back(0); // no menu
    t.push_back(0); // the standard dialog class
    text(L"");      // title, set later from the 8-bit option
    t.push_back(8); // point size
    text(L"MS Shell Dlg");
    if (t.size() % 2)
        t.push_back(0); // controls start on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    dword(WS_EX_CLIENTEDGE);
    t.push_back(0);
    t.push_back(0);
    t.push_back(260);
    t.push_back(140);
    t.push_back(kListId);
    t.push_back(0xFFFF); // predefined class: list box
    t.push_back(0x0083);
    text(L"");
    t.push_back(0); // no creation data
    return t;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char* commandLine = GetCommandLineA();
    Options options = parseCommandLine(commandLine);
    g_logPath = options.log.empty() ? defaultLogPath() : options.log;

    g_removeId = RegisterWindowMessageA(kRemoveMessage);
    g_newId = RegisterWindowMessageA(kNewMessage);
    g_sortId = RegisterWindowMessageA(kSortMessage);

    logLine(std::string("CMDLINE ") + commandLine);
    logLine("ARGS " + options.args);
    if (isShutdown(options.args))
        return 0;

    std::vector<WORD> t = dialogTemplate();
    HWND dialog = CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                             nullptr, dialogProc, 0);
    if (!dialog)
        return 1;
    SetWindowTextA(dialog, options.title.c_str());
    g_list = GetDlgItem(dialog, kListId);
    RECT client;
    GetClientRect(dialog, &client);
    MoveWindow(g_list, 0, 0, client.right, client.bottom, TRUE);
    // The log so far, for the reader of the window.
    SendMessageA(g_list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(("CMDLINE " + std::string(commandLine)).c_str()));
    SendMessageA(g_list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(("ARGS " + options.args).c_str()));
    // Shown whatever show state the starter asked for (the program starts the client
    // hidden): the first ShowWindow of a process takes the starter's state instead of ours.
    ShowWindow(dialog, SW_SHOWNORMAL);
    ShowWindow(dialog, SW_SHOWNORMAL);

    if (options.freeze) {
        for (;;)
            Sleep(INFINITE);
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
