#include "ui/GraphicControl.h"

#include "ui/Screen.h"

#include <algorithm>

namespace ui {

const ClassInfo& GraphicControl::staticClassInfo()
{
    static const ClassInfo info("TGraphicControl", &Control::staticClassInfo(), {});
    return info;
}

GraphicControl::GraphicControl(Component* owner) : Control(owner)
{
}

void GraphicControl::present(const Raster& image)
{
    const Raster shown = image.cropped(width(), height());
    if (shown.width() == width() && shown.height() == height()) {
        m_surface = shown;
    } else {
        m_surface = overlay(m_surface, shown, width(), height());
    }
    ++m_presentCount;
    setNeedsRepaint(false);
    if (ControlPeer* window = windowPeer()) {
        const Point at = positionInWindow();
        const int dpi = window->dpi();
        if (dpi == kDesignDpi) {
            window->present(shown, at.x, at.y);
            return;
        }
        const Box area = scaleBox({at.x, at.y, at.x + width(), at.y + height()}, dpi);
        window->present(screenPicture(m_surface, dpi, area.width(), area.height()), area.left,
                        area.top);
    }
}

int GraphicControl::screenDpi() const
{
    const ControlPeer* window = windowPeer();
    return window ? window->dpi() : kDesignDpi;
}

Raster GraphicControl::screenPicture(const Raster& picture, int, int width, int height) const
{
    return picture.resized(width, height);
}

Raster GraphicControl::overlay(const Raster& old, const Raster& shown, int width, int height)
{
    // The area keeps what the new image does not cover.
    Raster next(width, height);
    const Raster kept = old.cropped(width, height);
    for (int y = 0; y < next.height(); ++y) {
        for (int x = 0; x < next.width(); ++x) {
            if (x < shown.width() && y < shown.height()) {
                next.setPixel(x, y, shown.pixel(x, y));
            } else if (x < kept.width() && y < kept.height()) {
                next.setPixel(x, y, kept.pixel(x, y));
            }
        }
    }
    return next;
}

} // namespace ui
