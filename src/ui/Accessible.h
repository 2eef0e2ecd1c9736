#pragma once
// What a screen reader learns of a control, beyond what the system's own windows tell it: a
// name, a description, a role and a value, each computed when asked (a text of the current
// language, the channel shown now). What a control leaves unset is the system's to give.
//
// A change that a screen reader should hear of is raised through the installed backend
// (Control::raiseAccessibleEvent, Control::announce): Windows passes it on to screen readers,
// the headless backend records it for tests.

#include <functional>
#include <string>

namespace ui {

// The roles the framework gives itself; System leaves the role to the system (an edit is an
// editable text, a button a push button, and so on).
enum class AccessibleRole { System, StaticText };

enum class AccessibleEvent { NameChange, ValueChange };

class Accessible {
public:
    using Text = std::function<std::string()>;

    // Each is empty ("the system's") until set.
    std::string name() const { return m_name ? m_name() : std::string(); }
    std::string description() const { return m_description ? m_description() : std::string(); }
    std::string value() const { return m_value ? m_value() : std::string(); }
    bool hasName() const { return static_cast<bool>(m_name); }
    bool hasDescription() const { return static_cast<bool>(m_description); }
    bool hasValue() const { return static_cast<bool>(m_value); }
    AccessibleRole role() const { return m_role; }

    void setName(Text name) { m_name = std::move(name); }
    void setName(const std::string& name)
    {
        m_name = [name] { return name; };
    }
    void setDescription(Text description) { m_description = std::move(description); }
    void setValue(Text value) { m_value = std::move(value); }
    void setRole(AccessibleRole role) { m_role = role; }

private:
    Text m_name;
    Text m_description;
    Text m_value;
    AccessibleRole m_role = AccessibleRole::System;
};

} // namespace ui
