// The program as a screen reader reads it, through Active Accessibility: the window's objects
// asked for by window (AccessibleObjectFromWindow), their children (AccessibleChildren), and
// the changes told out of context (SetWinEventHook, AccessibleObjectFromEvent), in this process
// and from here against a running kestrion.exe. Wine's own controls raise no name or value
// changes, so every change seen here comes from the program.

#include "app/MainForm.h"
#include "app/win32/Program.h"
#include "lcd/LCDLabel.h"
#include "profile/SettingsDlg.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Menu.h"
#include "ui/TrackBar.h"
#include "ui/win32/Win32Backend.h"

#include "UiDriver.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <vector>

using namespace wintest;
using ui::win32::windowHandle;

namespace {

// Spelled out: MinGW's oleacc import library gives an import thunk for IID_IAccessible.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class Apartment {
public:
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

// One accessible object and a child id of it, as a screen reader holds them.
class Element {
public:
    Element() = default;
    Element(IAccessible* object, LONG child) : m_object(object), m_child(child) {}
    Element(const Element& other) : m_object(other.m_object), m_child(other.m_child)
    {
        if (m_object)
            m_object->AddRef();
    }
    Element& operator=(Element other)
    {
        std::swap(m_object, other.m_object);
        std::swap(m_child, other.m_child);
        return *this;
    }
    ~Element()
    {
        if (m_object)
            m_object->Release();
    }

    static Element ofWindow(HWND hwnd)
    {
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                              kIidAccessible, reinterpret_cast<void**>(&object))))
            return {};
        return {object, CHILDID_SELF};
    }
    static Element ofEvent(HWND hwnd, LONG object, LONG child)
    {
        IAccessible* found = nullptr;
        VARIANT id;
        VariantInit(&id);
        if (FAILED(AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(object),
                                             static_cast<DWORD>(child), &found, &id)))
            return {};
        return {found, id.vt == VT_I4 ? id.lVal : CHILDID_SELF};
    }

    explicit operator bool() const { return m_object != nullptr; }
    std::string name() const { return text(&IAccessible::get_accName); }
    std::string value() const { return text(&IAccessible::get_accValue); }
    std::string description() const { return text(&IAccessible::get_accDescription); }
    LONG role() const
    {
        VARIANT role;
        VariantInit(&role);
        if (!m_object || m_object->get_accRole(self(), &role) != S_OK || role.vt != VT_I4)
            return 0;
        return role.lVal;
    }
    RECT location() const
    {
        long x = 0, y = 0, w = 0, h = 0;
        if (!m_object || m_object->accLocation(&x, &y, &w, &h, self()) != S_OK)
            return {};
        return {x, y, x + w, y + h};
    }
    // The children, as AccessibleChildren gives them: objects of their own, or ids of ours.
    std::vector<Element> children() const
    {
        std::vector<Element> out;
        long count = 0;
        if (!m_object || m_object->get_accChildCount(&count) != S_OK || count <= 0)
            return out;
        std::vector<VARIANT> items(static_cast<std::size_t>(count));
        LONG obtained = 0;
        if (FAILED(AccessibleChildren(m_object, 0, count, items.data(), &obtained)))
            return out;
        for (LONG i = 0; i < obtained; ++i) {
            VARIANT& item = items[static_cast<std::size_t>(i)];
            if (item.vt == VT_DISPATCH && item.pdispVal) {
                IAccessible* child = nullptr;
                if (SUCCEEDED(item.pdispVal->QueryInterface(kIidAccessible,
                                                            reinterpret_cast<void**>(&child))))
                    out.emplace_back(child, CHILDID_SELF);
            } else if (item.vt == VT_I4) {
                m_object->AddRef();
                out.emplace_back(m_object, item.lVal);
            }
            VariantClear(&item);
        }
        return out;
    }
    LONG hitTest(POINT at) const
    {
        VARIANT hit;
        VariantInit(&hit);
        if (!m_object || m_object->accHitTest(at.x, at.y, &hit) != S_OK)
            return -1;
        const LONG id = hit.vt == VT_I4 ? hit.lVal : -1;
        VariantClear(&hit);
        return id;
    }
    LONG child() const { return m_child; }

private:
    VARIANT self() const
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = m_child;
        return v;
    }
    std::string text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const
    {
        BSTR value = nullptr;
        if (!m_object || (m_object->*get)(self(), &value) != S_OK || !value)
            return {};
        const int length = WideCharToMultiByte(CP_ACP, 0, value, -1, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(std::max(length - 1, 0)), '\0');
        WideCharToMultiByte(CP_ACP, 0, value, -1, out.data(), length, nullptr, nullptr);
        SysFreeString(value);
        return out;
    }

    IAccessible* m_object = nullptr;
    LONG m_child = CHILDID_SELF;
};

// The display: the static-text child of the main window's object.
Element displayOf(HWND main)
{
    for (const Element& child : Element::ofWindow(main).children())
        if (child.role() == ROLE_SYSTEM_STATICTEXT)
            return child;
    return {};
}

// Name and value changes told out of context, as a screen reader hears them.
struct Heard {
    DWORD event;
    HWND hwnd;
    LONG object;
    LONG child;
};
std::vector<Heard> g_heard;

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    g_heard.push_back({event, hwnd, object, child});
}

class Listener {
public:
    explicit Listener(DWORD process)
        : m_hook(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, heard,
                                 process, 0, WINEVENT_OUTOFCONTEXT))
    {
        g_heard.clear();
    }
    ~Listener()
    {
        if (m_hook)
            UnhookWinEvent(m_hook);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    bool listening() const { return m_hook != nullptr; }

private:
    HWINEVENTHOOK m_hook;
};

// What each change heard names now: "name <text>" or "value <text>".
std::vector<std::string> whatWasHeard()
{
    std::vector<std::string> out;
    for (const Heard& h : g_heard) {
        const Element e = Element::ofEvent(h.hwnd, h.object, h.child);
        out.push_back(h.event == EVENT_OBJECT_NAMECHANGE ? "name " + e.name()
                                                         : "value " + e.value());
    }
    return out;
}

// Handles messages for `ms` more, so that a change heard late would be heard too.
void settle(unsigned ms)
{
    waitFor([] { return false; }, std::chrono::milliseconds(ms));
}

} // namespace

TEST(Accessibility, TheMainWindowAndTheSettingsDialogReadAsAScreenReaderAsks)
{
    Apartment apartment;
    TempDir dir;
    const std::string profilePath = dir.file("kestrion.ini");
    ASSERT_TRUE(writeFile(profilePath,
                          "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Lobby Chat\r\n"
                          "channel2=Bravo\r\n[options]\r\nsounds=0\r\n"));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("client.log").c_str());

    app::Program running(GetModuleHandleA(nullptr), dir.file("kestrion.exe"));
    ui::Application& app = running.application();
    app::TMainForm& main = running.mainForm();
    ASSERT_FALSE(app.terminated());
    const HWND mainWindow = windowHandle(main);

    // The display, a static text named with the channel shown, where it lies on the screen.
    Element display = displayOf(mainWindow);
    ASSERT_TRUE(display);
    EXPECT_EQ(display.name(), "Bravo");
    const RECT at = display.location();
    RECT clientArea;
    GetClientRect(mainWindow, &clientArea);
    MapWindowPoints(mainWindow, nullptr, reinterpret_cast<POINT*>(&clientArea), 2);
    EXPECT_GT(at.right, at.left);
    EXPECT_GE(at.left, clientArea.left);
    EXPECT_LE(at.bottom, clientArea.bottom);
    EXPECT_EQ(
        Element::ofWindow(mainWindow).hitTest({(at.left + at.right) / 2, (at.top + at.bottom) / 2}),
        display.child());

    // The bar: named "Channel", the channel as its value, its place as its description.
    const Element bar = Element::ofWindow(windowHandle(*main.ChannelBar));
    EXPECT_EQ(bar.name(), "Channel");
    EXPECT_EQ(bar.value(), "Bravo");
    EXPECT_EQ(bar.description(), "2 of 2");

    // A hotkey's message: the display's name and the bar's value change, and what the
    // events lead to reads the new channel.
    {
        Listener listener(0);
        ASSERT_TRUE(listener.listening());
        PostMessageA(mainWindow, app::WM_CHANNEL1, 0, 0);
        pumpUntil(
            app, [] { return g_heard.size() >= 2; }, 5000);
        settle(200);
        EXPECT_EQ(whatWasHeard(),
                  (std::vector<std::string>{"name Lobby Chat", "value Lobby Chat"}));
        EXPECT_EQ(bar.description(), "1 of 2");
    }

    // The settings dialog: each field named after its label, a key field's value its code and
    // the key's name, and a captured key heard as a value change.
    bool scriptRan = false;
    Element kept;
    whenShown([&] {
        scriptRan = true;
        profile::TSettingsDlg* dlg = openForm<profile::TSettingsDlg>(app);
        ASSERT_NE(dlg, nullptr);
        const std::pair<ui::Control*, const char*> names[] = {
            {dlg->AddressEdit, "Basestation Address:"},
            {dlg->PasswordEdit, "Password"},
            {dlg->KeyEdits[0], "Channel0"},
            {dlg->KeyEdits[10], "Tune Up"},
            {dlg->KeyEdits[17], "Mic Down"},
            {dlg->ListBox1, "Channels"},
            {dlg->ChannelNameEdit, "Channel name"},
            {dlg->Button3, "Add channel"},
            {dlg->Button4, "Remove channel"},
            {dlg->OkBtn, "OK"},
            {dlg->CheckBox1, "Require Alt Key"},
        };
        for (const auto& [control, name] : names) {
            auto* windowed = dynamic_cast<ui::WinControl*>(control);
            ASSERT_NE(windowed, nullptr);
            EXPECT_EQ(Element::ofWindow(windowHandle(*windowed)).name(), name) << control->name();
        }
        // Each label lies just above its field, where the system looks for a field's name.
        EXPECT_EQ(GetWindow(windowHandle(*dlg->AddressEdit), GW_HWNDPREV),
                  windowHandle(*dlg->Label1));
        EXPECT_EQ(GetWindow(windowHandle(*dlg->KeyEdits[5]), GW_HWNDPREV),
                  windowHandle(*dlg->KeyLabels[5]));

        const HWND keyField = windowHandle(*dlg->KeyEdits[2]);
        EXPECT_EQ(Element::ofWindow(keyField).value(), "0 (no key)");
        Listener listener(0);
        dlg->KeyEdits[2]->setFocus();
        EXPECT_EQ(pressKeys(app, "Channel Settings", "F5"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->KeyEdits[2]->text() == "116"; }));
        EXPECT_EQ(Element::ofWindow(keyField).value(), "116 (F5)");
        pumpUntil(
            app, [] { return !g_heard.empty(); }, 3000);
        const auto heardNow = whatWasHeard();
        EXPECT_NE(std::find(heardNow.begin(), heardNow.end(), "value 116 (F5)"), heardNow.end());
        kept = Element::ofWindow(windowHandle(*dlg->AddressEdit));
        SendMessageA(windowHandle(*dlg->CancelBtn), BM_CLICK, 0, 0);
    });
    SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(main.SetChannels1->command(), 0), 0);
    EXPECT_TRUE(scriptRan);

    // Once its window is gone, an object a screen reader kept answers nothing.
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept.name(), "");
    EXPECT_EQ(kept.role(), 0);

    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    removeClientAppPath();
}

TEST(Accessibility, AnotherProgramReadsTheRunningProgramAndHearsEachSwitch)
{
    Apartment apartment;
    TempDir dir;
    for (const char* file : {"kestrion.exe", "kestrihk.dll"})
        ASSERT_TRUE(CopyFileA((exeDir() + file).c_str(), dir.file(file).c_str(), FALSE));
    ASSERT_TRUE(writeFile(dir.file("kestrion.ini"),
                          "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Lobby Chat\r\n"
                          "channel2=Bravo\r\n[options]\r\nsounds=0\r\n"));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("client.log").c_str());

    Process program(quoted(dir.file("kestrion.exe")));
    const HWND main = program.window("TMainForm", std::chrono::seconds(20));
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(
        waitFor([&] { return displayOf(main).name() == "Bravo"; }, std::chrono::seconds(15)))
        << displayOf(main).name();
    HWND barWindow = FindWindowExA(main, nullptr, "msctls_trackbar32", nullptr);
    ASSERT_NE(barWindow, nullptr);
    const Element bar = Element::ofWindow(barWindow);
    EXPECT_EQ(bar.name(), "Channel");
    EXPECT_EQ(bar.value(), "Bravo");
    EXPECT_EQ(bar.description(), "2 of 2");

    struct Case {
        UINT message;
        std::vector<std::string> heard;
        const char* place;
    };
    const Case cases[] = {
        {app::WM_CHANNEL1, {"name Lobby Chat", "value Lobby Chat"}, "1 of 2"},
        {app::WM_CHANNEL0, {"name Default", "value Default"}, "0 of 2"},
        {app::WM_DISCONNECT, {"name Standing by...", "value Standing by..."}, "0 of 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        Listener listener(program.id());
        ASSERT_TRUE(listener.listening());
        PostMessageA(main, c.message, 0, 0);
        waitFor([] { return g_heard.size() >= 2; }, std::chrono::seconds(5));
        settle(200);
        EXPECT_EQ(whatWasHeard(), c.heard);
        EXPECT_EQ(bar.description(), c.place);
    }

    ASSERT_TRUE(chooseFromMenu(main, "Corvandial", "alt+f", "x"));
    EXPECT_EQ(program.wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([] { return FindWindowA("#32770", "Roger Wilco") == nullptr; }));
    removeClientAppPath();
}
