#pragma once
// TrackBar: a thumb on a scale from Min to Max. OnChange runs
//   - for every scroll notification from the user (mouse or keys), also one that leaves the
//     position where it was;
//   - for every change of the position made by the program, including one that follows
//     from a new Min or Max;
// and not when the program sets the position it already has. A position set outside the
// range is brought into it. Detaching the handler (OnChange = nullptr) silences it.

#include "ui/WinControl.h"

namespace ui {

enum class TrackBarOrientation { Horizontal, Vertical };
enum class TickMarks { BottomRight, TopLeft, Both };
enum class TickStyle { None, Auto, Manual };

class TrackBar : public WinControl {
public:
    explicit TrackBar(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    std::int32_t min() const { return m_min; }
    // A minimum above the maximum raises the maximum with it.
    void setMin(std::int32_t min);
    std::int32_t max() const { return m_max; }
    // A maximum below the minimum lowers the minimum with it.
    void setMax(std::int32_t max);
    std::int32_t position() const { return m_position; }
    void setPosition(std::int32_t position);
    std::int32_t pageSize() const { return m_pageSize; }
    void setPageSize(std::int32_t size);
    std::int32_t lineSize() const { return m_lineSize; }
    void setLineSize(std::int32_t size);
    // A tick every `frequency` positions (with TickStyle Auto).
    std::int32_t frequency() const { return m_frequency; }
    void setFrequency(std::int32_t frequency);
    TrackBarOrientation orientation() const { return m_orientation; }
    void setOrientation(TrackBarOrientation orientation);
    TickMarks tickMarks() const { return m_tickMarks; }
    void setTickMarks(TickMarks marks);
    TickStyle tickStyle() const { return m_tickStyle; }
    void setTickStyle(TickStyle style);

    // A scroll notification from the user, with the position the thumb is at now.
    void scrolledByUser(std::int32_t position);

    NotifyEvent OnChange;

private:
    void clampPosition();
    void raiseChange();

    std::int32_t m_min = 0;
    std::int32_t m_max = 10;
    std::int32_t m_position = 0;
    std::int32_t m_pageSize = 2;
    std::int32_t m_lineSize = 1;
    std::int32_t m_frequency = 1;
    TrackBarOrientation m_orientation = TrackBarOrientation::Horizontal;
    TickMarks m_tickMarks = TickMarks::BottomRight;
    TickStyle m_tickStyle = TickStyle::Auto;
};

} // namespace ui
