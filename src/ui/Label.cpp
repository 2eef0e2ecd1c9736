#include "ui/Label.h"

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
    const int w = width();
    const int h = height();
    Raster image(w, h);
    image.fillRect(image.bounds(), clBtnFace);
    const TColor dark = m_style == BevelStyle::Lowered ? clBtnShadow : clBtnHighlight;
    const TColor light = m_style == BevelStyle::Lowered ? clBtnHighlight : clBtnShadow;
    switch (m_shape) {
    case BevelShape::Box:
        image.polyline({{w - 1, 0}, {0, 0}, {0, h}}, dark);
        image.polyline({{w - 1, 0}, {w - 1, h - 1}, {-1, h - 1}}, light);
        break;
    case BevelShape::Frame:
        image.frameRect({0, 0, w - 1, h - 1}, dark);
        image.frameRect({1, 1, w, h}, light);
        break;
    case BevelShape::TopLine:
        image.fillRect({0, 0, w, 1}, dark);
        image.fillRect({0, 1, w, 2}, light);
        break;
    case BevelShape::BottomLine:
        image.fillRect({0, h - 2, w, h - 1}, dark);
        image.fillRect({0, h - 1, w, h}, light);
        break;
    case BevelShape::LeftLine:
        image.fillRect({0, 0, 1, h}, dark);
        image.fillRect({1, 0, 2, h}, light);
        break;
    case BevelShape::RightLine:
        image.fillRect({w - 2, 0, w - 1, h}, dark);
        image.fillRect({w - 1, 0, w, h}, light);
        break;
    case BevelShape::Spacer: break;
    }
    present(image);
}

} // namespace ui
