#pragma once
// GraphicControl: a windowless control that draws itself on its parent's surface. It paints
// into an off-screen Raster and presents the finished image on its area in one copy, so the
// screen only ever receives whole pictures.
//
// Paint() is called by the framework when the control's area needs drawing (first display,
// uncovering, after invalidate(), for instance after a change of size), and by the control
// itself whenever it wants to repaint at once. A typical Paint:
//
//     void TMyControl::Paint()
//     {
//         ui::Raster image(width() + 2, height() + 2);
//         image.fillRect({0, 0, width(), height()}, ui::clSilver);
//         ...
//         present(image);
//     }
//
// The last presented picture stays readable as surface(), which is what a headless test
// looks at; on Windows the same picture is copied to the parent window. A parent window laid
// out at another scale than the design's (ui/Screen.h) shows screenPicture() instead, on the
// control's area scaled to that window.

#include "ui/Control.h"
#include "ui/Raster.h"

#include <cstdint>

namespace ui {

class GraphicControl : public Control {
public:
    explicit GraphicControl(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Draws the control. The base draws nothing.
    virtual void Paint() {}

    // Shows the top-left width() x height() pixels of `image` on the control's area (the
    // part of the area that the image does not cover keeps what it showed). Clears the
    // request for a deferred repaint.
    void present(const Raster& image);
    // What the control's area shows: width() x height() pixels, the last presented picture.
    const Raster& surface() const { return m_surface; }
    // How many pictures have been presented since the control was made.
    std::uint64_t presentCount() const { return m_presentCount; }

    // The dots per inch of the window the control is drawn on (kDesignDpi without one).
    int screenDpi() const;
    // What a window at `dpi` shows on the control's area, `width` x `height` of its pixels,
    // for `picture`, the control's surface at design size. The base enlarges the picture
    // without smoothing; a control that can draw itself sharp at that scale draws anew.
    virtual Raster screenPicture(const Raster& picture, int dpi, int width, int height) const;

private:
    static Raster overlay(const Raster& old, const Raster& shown, int width, int height);

    Raster m_surface;
    std::uint64_t m_presentCount = 0;
};

} // namespace ui
