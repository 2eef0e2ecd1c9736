#pragma once
// ControlPeer: a backend's realisation of one windowed control (a real window on Windows).
// The model owns the peer and tells it what changed; the peer reads the new state from the
// model and forwards the system's notifications to the model's functions. Headless controls
// have no peer.
//
// The model speaks in design units (ui/Screen.h); a peer lays its window out at its dpi, so
// invalidate() takes design units and present() window pixels.

#include "ui/Screen.h"

namespace ui {

// What changed in the model, so that the peer can bring its window up to date.
enum class ControlChange {
    Bounds,
    Visible,
    Enabled,
    Text,
    Font,
    Hint,
    Parent,
    TabOrder,
    State, // anything particular to the control's kind (a position, a check mark, a selection)
};

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void changed(ControlChange what) = 0;
    // Asks for a deferred repaint of the area (in the window's client coordinates, design
    // units).
    virtual void invalidate(const Box& area) = 0;
    // Copies the image now onto the window's client area with its top-left at (x, y), both
    // in the window's pixels: the presentation of a windowless control on this window.
    virtual void present(const Raster& image, int x, int y) = 0;
    // The dots per inch the window is laid out at; kDesignDpi (96) is the design size.
    virtual int dpi() const { return kDesignDpi; }
};

} // namespace ui
