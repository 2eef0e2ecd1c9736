#include "ui/ClassInfo.h"

#include "ui/Text.h"

#include <stdexcept>

namespace ui {

const ClassInfo& Persistent::staticClassInfo()
{
    static const ClassInfo info("TPersistent", nullptr, {});
    return info;
}

const ClassInfo& Persistent::classInfo() const
{
    return staticClassInfo();
}

const std::string& Persistent::className() const
{
    return classInfo().className();
}

std::optional<std::int64_t> PropertyInfo::integer(const Persistent& object) const
{
    if (m_kind != PropertyKind::Integer) {
        return std::nullopt;
    }
    return m_getInteger(object);
}

std::optional<std::int64_t> PropertyInfo::ordinal(const Persistent& object) const
{
    if (m_kind != PropertyKind::Enumeration) {
        return std::nullopt;
    }
    return m_getInteger(object);
}

std::optional<std::string> PropertyInfo::identifier(const Persistent& object) const
{
    const auto value = ordinal(object);
    if (!value || *value < 0 || *value >= static_cast<std::int64_t>(m_identifiers.size())) {
        return std::nullopt;
    }
    return m_identifiers[static_cast<std::size_t>(*value)];
}

std::optional<double> PropertyInfo::floating(const Persistent& object) const
{
    if (m_kind != PropertyKind::Float) {
        return std::nullopt;
    }
    return m_getFloat(object);
}

std::optional<std::string> PropertyInfo::text(const Persistent& object) const
{
    if (m_kind != PropertyKind::Text) {
        return std::nullopt;
    }
    return m_getText(object);
}

Persistent* PropertyInfo::object(Persistent& object) const
{
    if (m_kind != PropertyKind::Object) {
        return nullptr;
    }
    return m_getObject(object);
}

SetResult PropertyInfo::setInteger(Persistent& object, std::int64_t value) const
{
    if (m_kind != PropertyKind::Integer) {
        return SetResult::WrongKind;
    }
    if (!m_setInteger) {
        return SetResult::ReadOnly;
    }
    if (value < m_lowest || value > m_highest) {
        return SetResult::OutOfRange;
    }
    return m_setInteger(object, value) ? SetResult::Done : SetResult::WrongClass;
}

SetResult PropertyInfo::setOrdinal(Persistent& object, std::int64_t ordinal) const
{
    if (m_kind != PropertyKind::Enumeration) {
        return SetResult::WrongKind;
    }
    if (!m_setInteger) {
        return SetResult::ReadOnly;
    }
    if (ordinal < m_lowest || ordinal > m_highest) {
        return SetResult::OutOfRange;
    }
    return m_setInteger(object, ordinal) ? SetResult::Done : SetResult::WrongClass;
}

SetResult PropertyInfo::setIdentifier(Persistent& object, std::string_view identifier) const
{
    if (m_kind != PropertyKind::Enumeration) {
        return SetResult::WrongKind;
    }
    for (std::size_t i = 0; i < m_identifiers.size(); ++i) {
        if (sameText(m_identifiers[i], identifier)) {
            return setOrdinal(object, static_cast<std::int64_t>(i));
        }
    }
    return m_setInteger ? SetResult::NotAMember : SetResult::ReadOnly;
}

SetResult PropertyInfo::setFloat(Persistent& object, double value) const
{
    if (m_kind != PropertyKind::Float) {
        return SetResult::WrongKind;
    }
    if (!m_setFloat) {
        return SetResult::ReadOnly;
    }
    return m_setFloat(object, value) ? SetResult::Done : SetResult::WrongClass;
}

SetResult PropertyInfo::setText(Persistent& object, const std::string& value) const
{
    if (m_kind != PropertyKind::Text) {
        return SetResult::WrongKind;
    }
    if (!m_setText) {
        return SetResult::ReadOnly;
    }
    return m_setText(object, value) ? SetResult::Done : SetResult::WrongClass;
}

ClassInfo::ClassInfo(std::string className, const ClassInfo* base,
                     std::vector<PropertyInfo> properties)
    : m_className(std::move(className)), m_base(base), m_properties(std::move(properties))
{
    for (std::size_t i = 0; i < m_properties.size(); ++i) {
        for (std::size_t j = i + 1; j < m_properties.size(); ++j) {
            if (sameText(m_properties[i].name(), m_properties[j].name())) {
                throw std::logic_error(m_className + " publishes " + m_properties[j].name() +
                                       " twice");
            }
        }
    }
}

std::vector<const PropertyInfo*> ClassInfo::properties() const
{
    std::vector<const PropertyInfo*> all;
    if (m_base) {
        for (const PropertyInfo* inherited : m_base->properties()) {
            bool redeclared = false;
            for (const PropertyInfo& own : m_properties) {
                redeclared = redeclared || sameText(own.name(), inherited->name());
            }
            if (!redeclared) {
                all.push_back(inherited);
            }
        }
    }
    for (const PropertyInfo& own : m_properties) {
        all.push_back(&own);
    }
    return all;
}

const PropertyInfo* ClassInfo::findProperty(std::string_view name) const
{
    for (const ClassInfo* c = this; c; c = c->m_base) {
        for (const PropertyInfo& p : c->m_properties) {
            if (sameText(p.name(), name)) {
                return &p;
            }
        }
    }
    return nullptr;
}

bool ClassInfo::inheritsFrom(const ClassInfo& other) const
{
    for (const ClassInfo* c = this; c; c = c->m_base) {
        if (c == &other) {
            return true;
        }
    }
    return false;
}

bool ClassInfo::inheritsFrom(std::string_view className) const
{
    for (const ClassInfo* c = this; c; c = c->m_base) {
        if (sameText(c->m_className, className)) {
            return true;
        }
    }
    return false;
}

const PropertyInfo* findProperty(const Persistent& object, std::string_view name)
{
    return object.classInfo().findProperty(name);
}

} // namespace ui
