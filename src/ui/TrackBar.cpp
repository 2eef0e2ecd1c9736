#include "ui/TrackBar.h"

#include <algorithm>

namespace ui {

const ClassInfo& TrackBar::staticClassInfo()
{
    using P = Published<TrackBar>;
    static const ClassInfo info(
        "TTrackBar", &WinControl::staticClassInfo(),
        {
            P::integer("Frequency", &TrackBar::frequency, &TrackBar::setFrequency),
            P::integer("LineSize", &TrackBar::lineSize, &TrackBar::setLineSize),
            P::integer("Max", &TrackBar::max, &TrackBar::setMax),
            P::integer("Min", &TrackBar::min, &TrackBar::setMin),
            P::enumeration("Orientation", &TrackBar::orientation, &TrackBar::setOrientation,
                           {"trHorizontal", "trVertical"}),
            P::integer("PageSize", &TrackBar::pageSize, &TrackBar::setPageSize),
            P::integer("Position", &TrackBar::position, &TrackBar::setPosition),
            P::enumeration("TickMarks", &TrackBar::tickMarks, &TrackBar::setTickMarks,
                           {"tmBottomRight", "tmTopLeft", "tmBoth"}),
            P::enumeration("TickStyle", &TrackBar::tickStyle, &TrackBar::setTickStyle,
                           {"tsNone", "tsAuto", "tsManual"}),
            P::other("OnChange"),
            P::other("OnKeyDown"),
        });
    return info;
}

TrackBar::TrackBar(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void TrackBar::setMin(std::int32_t min)
{
    if (min == m_min) {
        return;
    }
    m_min = min;
    m_max = std::max(m_max, min);
    changed(ControlChange::State);
    clampPosition();
}

void TrackBar::setMax(std::int32_t max)
{
    if (max == m_max) {
        return;
    }
    m_max = max;
    m_min = std::min(m_min, max);
    changed(ControlChange::State);
    clampPosition();
}

void TrackBar::setPosition(std::int32_t position)
{
    position = std::clamp(position, m_min, m_max);
    if (position == m_position) {
        return;
    }
    m_position = position;
    changed(ControlChange::State);
    raiseChange();
}

void TrackBar::clampPosition()
{
    setPosition(m_position);
}

void TrackBar::setPageSize(std::int32_t size)
{
    if (size != m_pageSize) {
        m_pageSize = size;
        changed(ControlChange::State);
    }
}

void TrackBar::setLineSize(std::int32_t size)
{
    if (size != m_lineSize) {
        m_lineSize = size;
        changed(ControlChange::State);
    }
}

void TrackBar::setFrequency(std::int32_t frequency)
{
    if (frequency != m_frequency) {
        m_frequency = frequency;
        changed(ControlChange::State);
    }
}

void TrackBar::setOrientation(TrackBarOrientation orientation)
{
    if (orientation != m_orientation) {
        m_orientation = orientation;
        changed(ControlChange::State);
    }
}

void TrackBar::setTickMarks(TickMarks marks)
{
    if (marks != m_tickMarks) {
        m_tickMarks = marks;
        changed(ControlChange::State);
    }
}

void TrackBar::setTickStyle(TickStyle style)
{
    if (style != m_tickStyle) {
        m_tickStyle = style;
        changed(ControlChange::State);
    }
}

void TrackBar::scrolledByUser(std::int32_t position)
{
    position = std::clamp(position, m_min, m_max);
    if (position != m_position) {
        m_position = position;
        changed(ControlChange::State);
    }
    raiseChange();
}

void TrackBar::raiseChange()
{
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace ui
