// What screen readers learn of our windows: each window answers WM_GETOBJECT for its client
// area with an object of its own. It gives what the model sets (ui/Accessible.h) and leaves
// everything else to the object the system makes for such a window; it lists the window's
// windowless controls that have a role of their own (the display) as simple children, with
// their place on the screen; and it answers nothing once its window is gone.
#include "ui/win32/Win32Peer.h"

#include "ui/win32/Win32Dpi.h"

#include "ui/Accessible.h"
#include "ui/GraphicControl.h"
#include "ui/WinControl.h"

#include <oleacc.h>

#include <atomic>
#include <string>
#include <vector>

namespace ui::win32 {

namespace {

// Spelled out: MinGW's import library of oleacc resolves IID_IAccessible to an import thunk,
// not to the identifier itself.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID kIidEnumVariant = {
    0x00020404, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

BSTR toBstr(const std::string& text)
{
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result && length > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    }
    return result;
}

// Answers a text request: the text when there is one, S_FALSE and no text otherwise.
HRESULT giveText(const std::string& text, BSTR* out)
{
    if (text.empty()) {
        return S_FALSE;
    }
    *out = toBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Whether a screen reader sees a child of a window as a child of the window's object: a
// windowless control with a role of its own. Each is known by kFirstOwnChild plus its place
// among the window's controls.
bool seenAsOwnChild(const Control* control)
{
    return dynamic_cast<const GraphicControl*>(control) &&
           control->accessible().role() != AccessibleRole::System;
}

std::vector<Control*> ownChildren(WinControl& control)
{
    std::vector<Control*> children;
    for (Control* c : control.controls()) {
        if (seenAsOwnChild(c)) {
            children.push_back(c);
        }
    }
    return children;
}

LONG childIdOf(const WinControl& parent, const Control& child)
{
    const auto& list = parent.controls();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == &child) {
            return kFirstOwnChild + static_cast<LONG>(i);
        }
    }
    return CHILDID_SELF;
}

// A COM object ends in its own Release, never through a pointer to its interface, which
// therefore has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A list of children handed out one by one, as AccessibleChildren asks for them.
class ChildList final : public IEnumVARIANT {
public:
    explicit ChildList(std::vector<VARIANT> items) : m_items(std::move(items)) {}
    ChildList(const ChildList&) = delete;
    ChildList& operator=(const ChildList&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualGUID(iid, kIidUnknown) || IsEqualGUID(iid, kIidEnumVariant)) {
            *out = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override
    {
        ULONG given = 0;
        while (given < count && m_next < m_items.size()) {
            VariantInit(&out[given]);
            VariantCopy(&out[given], &m_items[m_next]);
            ++given;
            ++m_next;
        }
        if (fetched) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        m_next = std::min<std::size_t>(m_items.size(), m_next + std::size_t{count});
        return m_next < m_items.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override
    {
        if (!out) {
            return E_POINTER;
        }
        std::vector<VARIANT> copies(m_items.size());
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            VariantInit(&copies[i]);
            VariantCopy(&copies[i], &m_items[i]);
        }
        auto* clone = new (std::nothrow) ChildList(std::move(copies));
        if (!clone) {
            return E_OUTOFMEMORY;
        }
        clone->m_next = m_next;
        *out = clone;
        return S_OK;
    }

private:
    ~ChildList()
    {
        for (VARIANT& item : m_items) {
            VariantClear(&item);
        }
    }

    std::vector<VARIANT> m_items;
    std::size_t m_next = 0;
    std::atomic<ULONG> m_references{1};
};

class WindowObject final : public IAccessible {
public:
    WindowObject(HWND hwnd, IAccessible* system) : m_hwnd(hwnd), m_system(system) {}
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (IsEqualGUID(iid, kIidUnknown) || IsEqualGUID(iid, kIidDispatch) ||
            IsEqualGUID(iid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        if (IsEqualGUID(iid, kIidEnumVariant)) {
            return enumerateChildren(out);
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch: screen readers call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        return m_system->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        WinControl* c = control();
        if (!c) {
            return RPC_E_DISCONNECTED;
        }
        if (!count) {
            return E_POINTER;
        }
        long system = 0;
        m_system->get_accChildCount(&system);
        *count = system + static_cast<long>(ownChildren(*c).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        if (!out) {
            return E_POINTER;
        }
        if (ownChild(child)) {
            *out = nullptr; // a simple element, known by its id
            return S_FALSE;
        }
        return m_system->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override
    {
        return text(child, out, &IAccessible::get_accName,
                    [](const Control& c) { return c.accessibleName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override
    {
        return text(child, out, &IAccessible::get_accValue,
                    [](const Control& c) { return c.accessible().value(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        return text(child, out, &IAccessible::get_accDescription,
                    [](const Control& c) { return c.accessible().description(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override
    {
        WinControl* c = control();
        if (!c) {
            return RPC_E_DISCONNECTED;
        }
        if (!out) {
            return E_POINTER;
        }
        const Control* target = isSelf(child) ? c : ownChild(child);
        if (target && target->accessible().role() == AccessibleRole::StaticText) {
            VariantInit(out);
            out->vt = VT_I4;
            out->lVal = ROLE_SYSTEM_STATICTEXT;
            return S_OK;
        }
        return target == c ? m_system->get_accRole(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        if (!out) {
            return E_POINTER;
        }
        if (const Control* own = ownChild(child)) {
            VariantInit(out);
            out->vt = VT_I4;
            out->lVal = STATE_SYSTEM_READONLY | (own->isShowing() ? 0 : STATE_SYSTEM_INVISIBLE);
            return S_OK;
        }
        return m_system->get_accState(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override
    {
        return systemOnly(child, out, [&] { return m_system->get_accHelp(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return systemOnly(child, file,
                          [&] { return m_system->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        return systemOnly(child, out,
                          [&] { return m_system->get_accKeyboardShortcut(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        return systemOnly(child, out, [&] { return m_system->get_accDefaultAction(child, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override
    {
        return control() ? m_system->get_accFocus(out) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override
    {
        return control() ? m_system->get_accSelection(out) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        return ownChild(child) ? DISP_E_MEMBERNOTFOUND : m_system->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        return ownChild(child) ? DISP_E_MEMBERNOTFOUND : m_system->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height,
                                          VARIANT child) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        if (const Control* own = ownChild(child)) {
            if (!x || !y || !width || !height) {
                return E_POINTER;
            }
            const RECT r = screenRect(*own);
            *x = r.left;
            *y = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        }
        return m_system->accLocation(x, y, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        return ownChild(start) ? E_NOTIMPL : m_system->accNavigate(direction, start, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        WinControl* c = control();
        if (!c) {
            return RPC_E_DISCONNECTED;
        }
        if (!out) {
            return E_POINTER;
        }
        const HRESULT system = m_system->accHitTest(x, y, out);
        // Only where the system finds the window itself can a windowless child lie.
        if (system == S_OK && out->vt == VT_I4 && out->lVal == CHILDID_SELF) {
            for (Control* own : ownChildren(*c)) {
                const RECT r = screenRect(*own);
                if (own->isShowing() && x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                    out->lVal = childIdOf(*c, *own);
                    break;
                }
            }
        }
        return system;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~WindowObject() { m_system->Release(); }

    // The window's control, or null once the window is gone.
    WinControl* control() const
    {
        Peer* peer = peerOf(m_hwnd);
        return peer ? &peer->control() : nullptr;
    }

    // The windowless child a child id names, or null (the window itself, a child window, or
    // an id that names nothing of ours).
    Control* ownChild(const VARIANT& child) const
    {
        WinControl* c = control();
        if (!c || child.vt != VT_I4 || child.lVal < kFirstOwnChild) {
            return nullptr;
        }
        const auto index = static_cast<std::size_t>(child.lVal - kFirstOwnChild);
        if (index >= c->controls().size()) {
            return nullptr;
        }
        Control* own = c->controls()[index];
        return seenAsOwnChild(own) ? own : nullptr;
    }

    template <class Read>
    HRESULT text(const VARIANT& child, BSTR* out,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*), Read read)
    {
        WinControl* c = control();
        if (!c) {
            return RPC_E_DISCONNECTED;
        }
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (const Control* own = ownChild(child)) {
            return giveText(read(*own), out);
        }
        if (isSelf(child)) {
            const std::string mine = read(*c);
            if (!mine.empty()) {
                return giveText(mine, out);
            }
        }
        return (m_system->*system)(child, out);
    }

    template <class System>
    HRESULT systemOnly(const VARIANT& child, BSTR* out, System system)
    {
        if (!control()) {
            return RPC_E_DISCONNECTED;
        }
        if (ownChild(child)) {
            if (out) {
                *out = nullptr;
            }
            return S_FALSE;
        }
        return system();
    }

    // Where a windowless child lies on the screen, in pixels.
    RECT screenRect(const Control& own) const
    {
        const Peer* peer = peerOf(m_hwnd);
        const int dpi = peer ? peer->dpi() : kDesignDpi;
        const Point at = own.positionInWindow();
        const Box box = scaleBox({at.x, at.y, at.x + own.width(), at.y + own.height()}, dpi);
        POINT topLeft{box.left, box.top};
        ClientToScreen(m_hwnd, &topLeft);
        return {topLeft.x, topLeft.y, topLeft.x + box.width(), topLeft.y + box.height()};
    }

    HRESULT enumerateChildren(void** out)
    {
        WinControl* c = control();
        if (!c) {
            return RPC_E_DISCONNECTED;
        }
        long count = 0;
        m_system->get_accChildCount(&count);
        std::vector<VARIANT> items(static_cast<std::size_t>(std::max(count, 0L)));
        LONG obtained = 0;
        if (count > 0 && FAILED(AccessibleChildren(m_system, 0, count, items.data(), &obtained))) {
            obtained = 0;
        }
        items.resize(static_cast<std::size_t>(obtained));
        for (const Control* own : ownChildren(*c)) {
            VARIANT id;
            VariantInit(&id);
            id.vt = VT_I4;
            id.lVal = childIdOf(*c, *own);
            items.push_back(id);
        }
        auto* list = new (std::nothrow) ChildList(std::move(items));
        if (!list) {
            return E_OUTOFMEMORY;
        }
        *out = static_cast<IEnumVARIANT*>(list);
        return S_OK;
    }

    HWND m_hwnd;
    IAccessible* m_system;
    std::atomic<ULONG> m_references{1};
};

#pragma GCC diagnostic pop

} // namespace

bool answerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || !peerOf(hwnd)) {
        return false;
    }
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible,
                                         reinterpret_cast<void**>(&system))) ||
        !system) {
        return false;
    }
    auto* object = new (std::nothrow) WindowObject(hwnd, system);
    if (!object) {
        system->Release();
        return false;
    }
    result = LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object));
    object->Release(); // LresultFromObject holds its own reference while it is asked for
    return true;
}

namespace {

// The window a control is seen on: its own, or for a windowless control its parent's.
HWND windowOf(Control& control)
{
    auto* peer = static_cast<Peer*>(control.windowPeer());
    return peer ? peer->hwnd() : nullptr;
}

// UI Automation's notification (Windows 10 1709 and later), through the functions' own
// types: the provider is passed as the interface it is, the kind and processing as the
// numbers of the system's enumerations.
using HostProviderFromHwndFn = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEventFn = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
constexpr int kNotificationActionCompleted = 2;
constexpr int kNotificationImportantMostRecent = 1;

} // namespace

void announceText(Control& control, const std::string& text)
{
    static const auto hostProvider =
        lookUp<HostProviderFromHwndFn>("uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static const auto raise =
        lookUp<RaiseNotificationEventFn>("uiautomationcore.dll", "UiaRaiseNotificationEvent");
    const HWND hwnd = windowOf(control);
    if (!hostProvider || !raise || !hwnd || text.empty()) {
        return;
    }
    IUnknown* provider = nullptr;
    if (FAILED(hostProvider(hwnd, &provider)) || !provider) {
        return;
    }
    BSTR spoken = toBstr(text);
    BSTR activity = SysAllocString(L"Kestrion.Channel");
    if (spoken && activity) {
        raise(provider, kNotificationActionCompleted, kNotificationImportantMostRecent, spoken,
              activity);
    }
    SysFreeString(spoken);
    SysFreeString(activity);
    provider->Release();
}

void notifyAccessibleEvent(Control& control, AccessibleEvent event)
{
    const DWORD id =
        event == AccessibleEvent::NameChange ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_VALUECHANGE;
    if (auto* own = static_cast<Peer*>(control.peer()); own && own->hwnd()) {
        NotifyWinEvent(id, own->hwnd(), OBJID_CLIENT, CHILDID_SELF);
        return;
    }
    WinControl* parent = control.parent();
    auto* window = parent ? static_cast<Peer*>(parent->peer()) : nullptr;
    if (window && window->hwnd()) {
        NotifyWinEvent(id, window->hwnd(), OBJID_CLIENT, childIdOf(*parent, control));
    }
}

} // namespace ui::win32
