#pragma once
// ControlPeer: a backend's realisation of one windowed control (a real window on Windows).
// The model owns the peer and tells it what changed; the peer reads the new state from the
// model and forwards the system's notifications to the model's functions. Headless controls
// have no peer.

#include "ui/Raster.h"

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
    // Asks for a deferred repaint of the area (in the window's client coordinates).
    virtual void invalidate(const Box& area) = 0;
    // Copies the image now onto the window's client area with its top-left at (x, y): the
    // presentation of a windowless control that lies on this window.
    virtual void present(const Raster& image, int x, int y) = 0;
};

} // namespace ui
