#pragma once
// Label, Panel and Bevel: the static parts of a form. A label shows a caption ("&" marks an
// access key). A panel holds other controls inside a bevelled frame. A bevel is a
// windowless line or frame drawn in the system's shadow and highlight colours.

#include "ui/GraphicControl.h"
#include "ui/WinControl.h"

namespace ui {

class Label : public WinControl {
public:
    explicit Label(Component* owner) : WinControl(owner) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }

    // The field the label stands for: a screen reader names the field after the label, and
    // on Windows the label's window lies just above the field's in the stacking order (where
    // the system looks for a field's label). Null for none; forgotten when the field goes.
    WinControl* focusControl() const { return m_focusControl; }
    void setFocusControl(WinControl* control);

protected:
    void notification(Component& component, Operation operation) override;

private:
    WinControl* m_focusControl = nullptr;
};

// The caption without its access-key marks: "&&" is one "&", a single "&" goes.
std::string withoutAccessKey(const std::string& caption);

enum class PanelBevel { None, Lowered, Raised, Space };

class Panel : public WinControl {
public:
    explicit Panel(Component* owner) : WinControl(owner) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }
    PanelBevel bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(PanelBevel bevel);
    PanelBevel bevelInner() const { return m_bevelInner; }
    void setBevelInner(PanelBevel bevel);

private:
    PanelBevel m_bevelOuter = PanelBevel::Raised;
    PanelBevel m_bevelInner = PanelBevel::None;
};

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class BevelStyle { Lowered, Raised };

class Bevel : public GraphicControl {
public:
    explicit Bevel(Component* owner) : GraphicControl(owner) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    BevelShape shape() const { return m_shape; }
    void setShape(BevelShape shape);
    BevelStyle style() const { return m_style; }
    void setStyle(BevelStyle style);

    // Draws the lines on the button-face colour: a lowered line is a shadow line with a
    // highlight line below or to the right of it, a raised one the other way round.
    void Paint() override;
    // The same lines at another scale, each as many pixels wide as the scale's whole steps.
    Raster screenPicture(const Raster& picture, int dpi, int width, int height) const override;

private:
    // The picture of w x h pixels with lines t pixels wide.
    Raster picture(int w, int h, int t) const;

    BevelShape m_shape = BevelShape::Box;
    BevelStyle m_style = BevelStyle::Lowered;
};

} // namespace ui
