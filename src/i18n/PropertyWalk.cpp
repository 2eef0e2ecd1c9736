#include "i18n/PropertyWalk.h"

#include "i18n/ResourceStrings.h"
#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"

#include "ui/ClassInfo.h"
#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/StringList.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

namespace i18n {

namespace {

// The rest of a string-list property's path that replaces its lines; letter case counts.
constexpr std::string_view kStringsRest = "Strings";

// Splits a path at its first ".": the head, and the rest (empty when there is no ".").
std::pair<std::string_view, std::string_view> splitPath(std::string_view path)
{
    auto dot = path.find('.');
    if (dot == std::string_view::npos)
        return {path, {}};
    return {path.substr(0, dot), path.substr(dot + 1)};
}

} // namespace

PropertyElementError::PropertyElementError(std::string_view value)
    : ui::Error(formatMessage(msg::SInvalidPropertyElement, {value}))
{
}

void translateComponent(const TbsINIFile& file, ui::Component& root)
{
    const std::string& section = root.className();
    for (const auto& entry : file.ReadSection(section))
        PropertyWalk(file, section, entry).ResolvePath(root, entry);
}

void PropertyWalk::ResolvePath(ui::Persistent& object, std::string_view path) const
{
    auto [head, rest] = splitPath(path);
    if (head.empty())
        return;
    if (ui::findProperty(object, head)) {
        ApplyProperty(object, head, rest);
        return;
    }
    if (auto* component = dynamic_cast<ui::Component*>(&object)) {
        if (auto* owned = component->findComponent(head)) {
            ResolvePath(*owned, rest);
            return;
        }
    }
    if (auto* windowed = dynamic_cast<ui::WinControl*>(&object)) {
        if (auto* child = windowed->FindChildControl(head))
            ResolvePath(*child, rest);
    }
}

void PropertyWalk::ApplyProperty(ui::Persistent& object, std::string_view property,
                                 std::string_view rest) const
{
    const ui::PropertyInfo* info = ui::findProperty(object, property);
    if (!info)
        return;
    // A read-only property is left alone: the file cannot change what the class does not let
    // anyone set.
    switch (info->kind()) {
    case ui::PropertyKind::Integer: {
        std::int64_t value = m_file.ReadInteger(m_section, m_entry, 0);
        value = std::clamp(value, info->lowest(), info->highest());
        info->setInteger(object, value);
        break;
    }
    case ui::PropertyKind::Enumeration: {
        std::string value = m_file.ReadString(m_section, m_entry, "");
        const auto& identifiers = info->identifiers();
        if (std::none_of(identifiers.begin(), identifiers.end(),
                         [&](const std::string& id) { return ui::sameText(id, value); }))
            throw PropertyElementError(value);
        info->setIdentifier(object, value);
        break;
    }
    case ui::PropertyKind::Float:
        info->setFloat(object, m_file.ReadFloat(m_section, m_entry, 0));
        break;
    case ui::PropertyKind::Text:
        info->setText(object, UnquoteValue(m_file.ReadString(m_section, m_entry, "")));
        break;
    case ui::PropertyKind::Object: {
        ui::Persistent* value = info->object(object);
        if (!value)
            return;
        if (auto* list = dynamic_cast<ui::StringList*>(value)) {
            if (rest == kStringsRest)
                list->assign(decodeStringList(m_file.ReadString(m_section, m_entry, "")));
        } else if (dynamic_cast<ui::Collection*>(value)) {
            applyCollectionItem(*value, rest);
        } else {
            auto [head, tail] = splitPath(rest);
            ApplyProperty(*value, head, tail);
        }
        break;
    }
    case ui::PropertyKind::Other: break;
    }
}

// `rest` looks like Items(2).Caption: the name before "(" is not looked at, the index
// addresses the item, and the path after the first "." is applied to it.
void PropertyWalk::applyCollectionItem(ui::Persistent& collection, std::string_view rest) const
{
    auto& items = static_cast<ui::Collection&>(collection);
    auto [segment, itemPath] = splitPath(rest);
    auto open = segment.find('(');
    auto close = segment.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return;
    std::string_view digits = segment.substr(open + 1, close - open - 1);
    int index = -1;
    auto res = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (digits.empty() || res.ec != std::errc() || res.ptr != digits.data() + digits.size() ||
        index < 0 || index >= items.count())
        return;
    auto [head, tail] = splitPath(itemPath);
    ApplyProperty(items.item(index), head, tail);
}

} // namespace i18n
