#pragma once
// Control: a component that has a place on a parent window. It holds its bounds (Left, Top,
// Width, Height, relative to the parent's client area), Visible, Enabled, Hint, ShowHint,
// its alignment in the parent, a help context, a font, and its text (published as Caption
// or Text by the controls that show one).
//
// A control's state lives here; the backend only mirrors it. Every setter that changes a
// value tells the peer (if the control, or for windowless controls its parent, has one) and
// asks for a deferred repaint where the look changes.

#include "ui/Accessible.h"
#include "ui/Component.h"
#include "ui/ControlPeer.h"
#include "ui/Font.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ui {

class PopupMenu;
class WinControl;

// How a control is placed in its parent's client area: not at all (None), along an edge
// with its own height or width, or over what remains (Client).
enum class Align { None, Top, Bottom, Left, Right, Client };

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    std::int32_t left() const { return m_left; }
    std::int32_t top() const { return m_top; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    void setLeft(std::int32_t left);
    void setTop(std::int32_t top);
    // A negative width or height counts as 0.
    void setWidth(std::int32_t width);
    void setHeight(std::int32_t height);
    void setBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    // The bounds in the parent's client coordinates (cut at the largest int).
    Box boundsRect() const;

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible, and so are all its parents up to a form that is shown.
    bool isShowing() const;
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    const std::string& hint() const { return m_hint; }
    void setHint(const std::string& hint);
    bool showHint() const { return m_showHint; }
    void setShowHint(bool showHint);
    Align align() const { return m_align; }
    void setAlign(Align align);
    std::int32_t helpContext() const { return m_helpContext; }
    void setHelpContext(std::int32_t context) { m_helpContext = context; }

    // The control's font. Until it is changed, the control follows its parent's font.
    Font& font() { return m_font; }
    const Font& font() const { return m_font; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);

    // The control's text: its caption, or the content of an edit.
    const std::string& text() const { return m_text; }
    void setText(const std::string& text);

    WinControl* parent() const { return m_parent; }
    // Moves the control into another parent's child list (at its end); null takes it out.
    void setParent(WinControl* parent);

    // Asks for a deferred repaint: the control is painted again when the message loop next
    // looks for work (a windowless control through GraphicControl::Paint).
    virtual void invalidate();
    bool needsRepaint() const { return m_needsRepaint; }

    void beforeDestruction() override;

    // The hint the system shows when the pointer rests on the control: Hint when ShowHint
    // is set, else nothing.
    std::string effectiveHint() const { return m_showHint ? m_hint : std::string(); }

    // The menu that a right-click on the control opens; null for none. The control forgets
    // it when the menu is destroyed.
    PopupMenu* popupMenu() const { return m_popupMenu; }
    void setPopupMenu(PopupMenu* menu);
    // The user asked for the control's context menu at a screen point (a right-click):
    // opens PopupMenu there, if any, without changing anything else. Returns whether a menu
    // was opened.
    bool contextPopup(int screenX, int screenY);

    // What a screen reader learns of the control (ui/Accessible.h).
    Accessible& accessible() { return m_accessible; }
    const Accessible& accessible() const { return m_accessible; }
    // The name a screen reader reads: the one set, else the caption of a label whose
    // FocusControl this is (without its access-key mark), else empty (the system's).
    virtual std::string accessibleName() const;
    // Tells screen readers that the control's name or value changed.
    void raiseAccessibleEvent(AccessibleEvent event);
    // Asks screen readers to speak `text` even while another program has the focus, where
    // the system can.
    void announce(const std::string& text);

    // The user clicked the control (or its backend reports a click): raises OnClick.
    virtual void click();

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;

    // The peer of this control, or null (always null headless and for windowless controls).
    ControlPeer* peer() const { return m_peer.get(); }
    void setPeer(std::unique_ptr<ControlPeer> peer);
    // The peer this control is drawn on: its own, or for a windowless control its parent's.
    ControlPeer* windowPeer() const;
    // The control's position in the nearest windowed control that has a peer.
    Point positionInWindow() const;

protected:
    // Called after every change of the model's state: passes it on to the peer. Overrides
    // (a control that must react to its own changes) call the base.
    virtual void changed(ControlChange what);
    // Called after the text changed (before the peer hears of it).
    virtual void textChanged() {}
    void notification(Component& component, Operation operation) override;
    // Sets the flag for a deferred repaint without telling the peer.
    void setNeedsRepaint(bool needs) { m_needsRepaint = needs; }

private:
    friend class WinControl;
    void fontChanged();
    void takeParentFont();

    std::int32_t m_left = 0;
    std::int32_t m_top = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    std::string m_hint;
    bool m_showHint = false;
    Align m_align = Align::None;
    std::int32_t m_helpContext = 0;
    Font m_font;
    bool m_parentFont = true;
    bool m_takingParentFont = false;
    std::string m_text;
    WinControl* m_parent = nullptr;
    bool m_needsRepaint = false;
    std::unique_ptr<ControlPeer> m_peer;
    PopupMenu* m_popupMenu = nullptr;
    Accessible m_accessible;
};

// The identifiers of Align, by ordinal.
extern const std::vector<std::string> alignIdentifiers;

} // namespace ui
