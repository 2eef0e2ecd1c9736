#include "ui/Label.h"

#include "ui/Screen.h"

#include <algorithm>

namespace ui {

namespace {
const std::vector<std::string> panelBevelIdentifiers = {"bvNone", "bvLowered", "bvRaised",
                                                        "bvSpace"};
}

const ClassInfo& Label::staticClassInfo()
{
    using P = Published<Label>;
    static const ClassInfo info("TLabel", &WinControl::staticClassInfo(),
                                {
                                    P::text("Caption", &Label::caption, &Label::setCaption),
                                    P::object("Font", &Control::font),
                                    P::other("OnClick"),
                                });
    return info;
}

void Label::setFocusControl(WinControl* control)
{
    if (control == m_focusControl) {
        return;
    }
    if (m_focusControl) {
        removeFreeNotification(m_focusControl);
    }
    m_focusControl = control;
    if (control) {
        freeNotification(control);
    }
    changed(ControlChange::TabOrder);
}

void Label::notification(Component& component, Operation operation)
{
    if (operation == Operation::Remove && &component == m_focusControl) {
        m_focusControl = nullptr;
    }
    WinControl::notification(component, operation);
}

std::string withoutAccessKey(const std::string& caption)
{
    std::string plain;
    plain.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i; // "&&" keeps one "&"; "&x" keeps the x
        } else if (caption[i] == '&') {
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

const ClassInfo& Panel::staticClassInfo()
{
    using P = Published<Panel>;
    static const ClassInfo info("TPanel", &WinControl::staticClassInfo(),
                                {
                                    P::enumeration("BevelInner", &Panel::bevelInner,
                                                   &Panel::setBevelInner, panelBevelIdentifiers),
                                    P::enumeration("BevelOuter", &Panel::bevelOuter,
                                                   &Panel::setBevelOuter, panelBevelIdentifiers),
                                    P::text("Caption", &Panel::caption, &Panel::setCaption),
                                    P::object("Font", &Control::font),
                                    P::other("OnClick"),
                                });
    return info;
}

void Panel::setBevelOuter(PanelBevel bevel)
{
    if (bevel != m_bevelOuter) {
        m_bevelOuter = bevel;
        changed(ControlChange::State);
    }
}

void Panel::setBevelInner(PanelBevel bevel)
{
    if (bevel != m_bevelInner) {
        m_bevelInner = bevel;
        changed(ControlChange::State);
    }
}

const ClassInfo& Bevel::staticClassInfo()
{
    using P = Published<Bevel>;
    static const ClassInfo info(
        "TBevel", &GraphicControl::staticClassInfo(),
        {
            P::enumeration("Shape", &Bevel::shape, &Bevel::setShape,
                           {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                            "bsRightLine", "bsSpacer"}),
            P::enumeration("Style", &Bevel::style, &Bevel::setStyle, {"bsLowered", "bsRaised"}),
        });
    return info;
}

void Bevel::setShape(BevelShape shape)
{
    if (shape != m_shape) {
        m_shape = shape;
        invalidate();
    }
}

void Bevel::setStyle(BevelStyle style)
{
    if (style != m_style) {
        m_style = style;
        invalidate();
    }
}

void Bevel::Paint()
{
    present(picture(width(), height(), 1));
}

Raster Bevel::screenPicture(const Raster&, int dpi, int width, int height) const
{
    // The lines keep their look: as many pixels wide as the scale has whole steps.
    return picture(width, height, std::max(1, dpi / kDesignDpi));
}

Raster Bevel::picture(int w, int h, int t) const
{
    Raster image(w, h);
    image.fillRect(image.bounds(), clBtnFace);
    const TColor dark = m_style == BevelStyle::Lowered ? clBtnShadow : clBtnHighlight;
    const TColor light = m_style == BevelStyle::Lowered ? clBtnHighlight : clBtnShadow;
    switch (m_shape) {
    case BevelShape::Box:
        for (int i = 0; i < t; ++i) {
            image.polyline({{w - 1 - i, i}, {i, i}, {i, h - i}}, dark);
            image.polyline({{w - 1 - i, i}, {w - 1 - i, h - 1 - i}, {i - 1, h - 1 - i}}, light);
        }
        break;
    case BevelShape::Frame:
        for (int i = 0; i < t; ++i) {
            image.frameRect({i, i, w - t - i, h - t - i}, dark);
            image.frameRect({t + i, t + i, w - i, h - i}, light);
        }
        break;
    case BevelShape::TopLine:
        image.fillRect({0, 0, w, t}, dark);
        image.fillRect({0, t, w, 2 * t}, light);
        break;
    case BevelShape::BottomLine:
        image.fillRect({0, h - 2 * t, w, h - t}, dark);
        image.fillRect({0, h - t, w, h}, light);
        break;
    case BevelShape::LeftLine:
        image.fillRect({0, 0, t, h}, dark);
        image.fillRect({t, 0, 2 * t, h}, light);
        break;
    case BevelShape::RightLine:
        image.fillRect({w - 2 * t, 0, w - t, h}, dark);
        image.fillRect({w - t, 0, w, h}, light);
        break;
    case BevelShape::Spacer: break;
    }
    return image;
}

} // namespace ui
