#pragma once
// Class information: every class of the component model knows its class name (the name the
// language files use for a form's section, "TButton", "TMainForm"), its base, and its
// published properties. A property has a name, matched without regard to letter case, a
// kind, and a getter and a setter that are the class's own accessors: setting a property
// by name always runs the setter, with whatever checks and repaints the setter does.
//
// How to declare a class with published properties
// --------------------------------------------------
// 1. Derive from a class of the model (Component, Control, WinControl, GraphicControl,
//    Form, CollectionItem, ...) and add two lines to its public part:
//
//        static const ui::ClassInfo& staticClassInfo();
//        const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
//
// 2. Define staticClassInfo in the .cpp: the class name, the base's class information, and
//    one line per published property, in the order a stored layout applies them:
//
//        const ui::ClassInfo& TLCDLabel::staticClassInfo()
//        {
//            using P = ui::Published<TLCDLabel>;
//            static const ui::ClassInfo info("TLCDLabel", &ui::GraphicControl::staticClassInfo(), {
//                P::text("Caption", &TLCDLabel::Caption, &TLCDLabel::setCaption),
//                P::enumeration("PixelSize", &TLCDLabel::PixelSize, &TLCDLabel::setPixelSize,
//                               {"pix1x1", "pix2x2", ...}),       // identifiers by ordinal
//                P::integer("NoOfChars", &TLCDLabel::NoOfChars, &TLCDLabel::setNoOfChars),
//                P::integer("PixelOff", &TLCDLabel::PixelOff, &TLCDLabel::setPixelOff),
//                P::integer("Contrast", &TLCDLabel::Contrast, &TLCDLabel::SetContrast, 0, 100),
//                P::boolean("ShowHint", &Control::showHint, &Control::setShowHint),
//                P::floating("Ratio", &X::ratio, &X::setRatio),
//                P::object("Font", &Control::font),  // a non-const getter: Font& font()
//                P::other("OnClick"),                 // events, sets, characters: left alone
//            });
//            return info;
//        }
//
//    A form class with no properties of its own needs only its name and base:
//        static const ui::ClassInfo info("TMainForm", &ui::Form::staticClassInfo(), {});
//
//    Accessors may be members of a base class. Integer properties take their range from
//    the getter's type (int32_t: -2147483648..2147483647, uint8_t: 0..255) unless a range is
//    given (the last two arguments); a TColor property is declared with P::color, which takes
//    a 32-bit value signed or unsigned, so that system colours such as clBtnFace (0x8000000F)
//    fit however they were written. A setter of nullptr makes the property
//    read-only. Enumeration getters return an enum (or bool for P::boolean, whose identifiers are
//    False and True).
//
// 3. Use it: ui::findProperty(object, "caption")->setText(object, "E&xit"), or walk
//    object.classInfo().properties(). Every read and write reports a wrong kind, a value out
//    of range or an unknown identifier as a result and leaves the value unchanged; only the
//    class's own setter may throw (ui::Error with the text to show).

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ui {

class ClassInfo;

// The root of every object with class information (components, string lists, collections,
// fonts). Objects of the model are not copyable; lists offer assign().
class Persistent {
public:
    virtual ~Persistent() = default;
    Persistent(const Persistent&) = delete;
    Persistent& operator=(const Persistent&) = delete;

    static const ClassInfo& staticClassInfo();
    virtual const ClassInfo& classInfo() const;
    const std::string& className() const;

protected:
    Persistent() = default;
};

// An event handler; the sender comes first.
using NotifyEvent = std::function<void(Persistent& sender)>;

enum class PropertyKind {
    Integer,     // a whole number with the lowest and highest value of its type
    Enumeration, // one of a list of identifiers, by ordinal; booleans are False/True
    Float,
    Text,
    Object, // a string list, a collection or a nested object such as Font
    Other,  // events, sets, characters: not readable or writable through this model
};

// The outcome of writing a property by name. Anything but Done leaves the value as it was
// and did not call the setter.
enum class SetResult {
    Done,
    WrongKind,  // the property is of another kind than the value given
    WrongClass, // the object is not of the class that declares the property
    ReadOnly,   // the property has no setter
    OutOfRange, // an integer outside lowest..highest, an ordinal without identifier
    NotAMember, // an identifier that names no member of the enumeration
};

// One published property. Readers return nothing when the property is of another kind or
// the object is not of the declaring class.
class PropertyInfo {
public:
    const std::string& name() const { return m_name; }
    PropertyKind kind() const { return m_kind; }
    bool isReadOnly() const { return !m_setInteger && !m_setFloat && !m_setText; }
    // Integer range; for an enumeration 0..identifiers().size()-1.
    std::int64_t lowest() const { return m_lowest; }
    std::int64_t highest() const { return m_highest; }
    // Enumeration identifiers, by ordinal.
    const std::vector<std::string>& identifiers() const { return m_identifiers; }

    std::optional<std::int64_t> integer(const Persistent& object) const;
    std::optional<std::int64_t> ordinal(const Persistent& object) const;
    std::optional<std::string> identifier(const Persistent& object) const;
    std::optional<double> floating(const Persistent& object) const;
    std::optional<std::string> text(const Persistent& object) const;
    // The object value of an Object property; null when it has none or the kind differs.
    Persistent* object(Persistent& object) const;

    SetResult setInteger(Persistent& object, std::int64_t value) const;
    SetResult setOrdinal(Persistent& object, std::int64_t ordinal) const;
    // The identifier is matched without regard to letter case.
    SetResult setIdentifier(Persistent& object, std::string_view identifier) const;
    SetResult setFloat(Persistent& object, double value) const;
    SetResult setText(Persistent& object, const std::string& value) const;

private:
    template <class C>
    friend struct Published;

    PropertyInfo(std::string_view name, PropertyKind kind) : m_name(name), m_kind(kind) {}

    // Type-erased accessors. The getters return nothing and the setters false when the
    // object is not of the declaring class.
    using IntegerGetter = std::function<std::optional<std::int64_t>(const Persistent&)>;
    using IntegerSetter = std::function<bool(Persistent&, std::int64_t)>;
    using FloatGetter = std::function<std::optional<double>(const Persistent&)>;
    using FloatSetter = std::function<bool(Persistent&, double)>;
    using TextGetter = std::function<std::optional<std::string>(const Persistent&)>;
    using TextSetter = std::function<bool(Persistent&, const std::string&)>;
    using ObjectGetter = std::function<Persistent*(Persistent&)>;

    std::string m_name;
    PropertyKind m_kind;
    std::int64_t m_lowest = 0;
    std::int64_t m_highest = 0;
    std::vector<std::string> m_identifiers;
    IntegerGetter m_getInteger; // Integer, and Enumeration ordinals
    IntegerSetter m_setInteger;
    FloatGetter m_getFloat;
    FloatSetter m_setFloat;
    TextGetter m_getText;
    TextSetter m_setText;
    ObjectGetter m_getObject;
};

// The class information of one class. Made once per class, in its staticClassInfo().
class ClassInfo {
public:
    // Throws std::logic_error when two of the properties have the same name.
    ClassInfo(std::string className, const ClassInfo* base, std::vector<PropertyInfo> properties);
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    const std::string& className() const { return m_className; }
    const ClassInfo* base() const { return m_base; }
    // The properties this class declares itself, in declared order.
    const std::vector<PropertyInfo>& ownProperties() const { return m_properties; }
    // Every published property, the most distant base's first, each in declared order. A
    // property that a class declares again under a base's name replaces the base's.
    std::vector<const PropertyInfo*> properties() const;
    // The property of that name (letter case ignored), looked up in this class first and
    // then in its bases; null when there is none.
    const PropertyInfo* findProperty(std::string_view name) const;
    // True for this class and every class derived from `other`.
    bool inheritsFrom(const ClassInfo& other) const;
    bool inheritsFrom(std::string_view className) const;

private:
    std::string m_className;
    const ClassInfo* m_base;
    std::vector<PropertyInfo> m_properties;
};

// The published property `name` of the object's class, or null.
const PropertyInfo* findProperty(const Persistent& object, std::string_view name);

// Builders of PropertyInfo for class C; see the recipe at the top of this file.
template <class C>
struct Published {
    template <class G, class S>
    static PropertyInfo integer(std::string_view name, G get, S set)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        static_assert(std::is_integral_v<T> && !std::is_same_v<T, bool>,
                      "integer properties need an integral getter");
        constexpr std::int64_t highest =
            std::numeric_limits<T>::max() > static_cast<std::uint64_t>(INT64_MAX)
                ? INT64_MAX
                : static_cast<std::int64_t>(std::numeric_limits<T>::max());
        return integer(name, get, set, static_cast<std::int64_t>(std::numeric_limits<T>::min()),
                       highest);
    }

    // A colour (TColor): a 32-bit value, taken in either reading, so that the system colours
    // fit whether a value comes signed (a language file's $8000000F decodes as a negative
    // 32-bit number) or unsigned (2147483663): both set clBtnFace.
    template <class G, class S>
    static PropertyInfo color(std::string_view name, G get, S set)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        static_assert(std::is_same_v<T, std::uint32_t>, "colour properties are 32-bit values");
        return integer(name, get, set, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::uint32_t>::max());
    }

    template <class G, class S>
    static PropertyInfo integer(std::string_view name, G get, S set, std::int64_t lowest,
                                std::int64_t highest)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        PropertyInfo p(name, PropertyKind::Integer);
        p.m_lowest = lowest;
        p.m_highest = highest;
        p.m_getInteger = [get](const Persistent& o) -> std::optional<std::int64_t> {
            const C* c = dynamic_cast<const C*>(&o);
            if (!c) {
                return std::nullopt;
            }
            return static_cast<std::int64_t>(std::invoke(get, *c));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.m_setInteger = [set](Persistent& o, std::int64_t v) {
                C* c = dynamic_cast<C*>(&o);
                if (!c) {
                    return false;
                }
                std::invoke(set, *c, static_cast<T>(v));
                return true;
            };
        }
        return p;
    }

    template <class G, class S>
    static PropertyInfo enumeration(std::string_view name, G get, S set,
                                    std::vector<std::string> identifiers)
    {
        using E = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        static_assert(std::is_enum_v<E> || std::is_same_v<E, bool>,
                      "enumeration properties need an enum or bool getter");
        PropertyInfo p(name, PropertyKind::Enumeration);
        p.m_lowest = 0;
        p.m_highest = static_cast<std::int64_t>(identifiers.size()) - 1;
        p.m_identifiers = std::move(identifiers);
        p.m_getInteger = [get](const Persistent& o) -> std::optional<std::int64_t> {
            const C* c = dynamic_cast<const C*>(&o);
            if (!c) {
                return std::nullopt;
            }
            return static_cast<std::int64_t>(std::invoke(get, *c));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.m_setInteger = [set](Persistent& o, std::int64_t v) {
                C* c = dynamic_cast<C*>(&o);
                if (!c) {
                    return false;
                }
                if constexpr (std::is_same_v<E, bool>) {
                    std::invoke(set, *c, v != 0);
                } else {
                    std::invoke(set, *c, static_cast<E>(v));
                }
                return true;
            };
        }
        return p;
    }

    template <class G, class S>
    static PropertyInfo boolean(std::string_view name, G get, S set)
    {
        return enumeration(name, get, set, {"False", "True"});
    }

    template <class G, class S>
    static PropertyInfo floating(std::string_view name, G get, S set)
    {
        using T = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
        static_assert(std::is_floating_point_v<T>, "float properties need a floating getter");
        PropertyInfo p(name, PropertyKind::Float);
        p.m_getFloat = [get](const Persistent& o) -> std::optional<double> {
            const C* c = dynamic_cast<const C*>(&o);
            if (!c) {
                return std::nullopt;
            }
            return static_cast<double>(std::invoke(get, *c));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.m_setFloat = [set](Persistent& o, double v) {
                C* c = dynamic_cast<C*>(&o);
                if (!c) {
                    return false;
                }
                std::invoke(set, *c, static_cast<T>(v));
                return true;
            };
        }
        return p;
    }

    template <class G, class S>
    static PropertyInfo text(std::string_view name, G get, S set)
    {
        PropertyInfo p(name, PropertyKind::Text);
        p.m_getText = [get](const Persistent& o) -> std::optional<std::string> {
            const C* c = dynamic_cast<const C*>(&o);
            if (!c) {
                return std::nullopt;
            }
            return std::string(std::invoke(get, *c));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.m_setText = [set](Persistent& o, const std::string& v) {
                C* c = dynamic_cast<C*>(&o);
                if (!c) {
                    return false;
                }
                std::invoke(set, *c, v);
                return true;
            };
        }
        return p;
    }

    // The getter is a non-const member returning a reference or a pointer to the object
    // (a pointer may be null: the property then has no object value).
    template <class B, class T>
    static PropertyInfo object(std::string_view name, T& (B::*get)())
    {
        static_assert(std::is_base_of_v<Persistent, T>, "object properties hold a Persistent");
        PropertyInfo p(name, PropertyKind::Object);
        p.m_getObject = [get](Persistent& o) -> Persistent* {
            C* c = dynamic_cast<C*>(&o);
            return c ? &(c->*get)() : nullptr;
        };
        return p;
    }

    template <class B, class T>
    static PropertyInfo object(std::string_view name, T* (B::*get)())
    {
        static_assert(std::is_base_of_v<Persistent, T>, "object properties hold a Persistent");
        PropertyInfo p(name, PropertyKind::Object);
        p.m_getObject = [get](Persistent& o) -> Persistent* {
            C* c = dynamic_cast<C*>(&o);
            return c ? (c->*get)() : nullptr;
        };
        return p;
    }

    static PropertyInfo other(std::string_view name)
    {
        return PropertyInfo(name, PropertyKind::Other);
    }
};

} // namespace ui
