#include "ui/ClassInfo.h"
#include "ui/Collection.h"
#include "ui/Component.h"
#include "ui/Font.h"
#include "ui/StringList.h"
#include "ui/Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

namespace {

using ui::PropertyKind;
using ui::SetResult;

enum class Shape { Square, Shaped, Round };

class Panel : public ui::CollectionItem {
public:
    explicit Panel(ui::Collection& c) : ui::CollectionItem(c) {}
    static const ui::ClassInfo& staticClassInfo()
    {
        using P = ui::Published<Panel>;
        static const ui::ClassInfo info("TTestPanel", &ui::CollectionItem::staticClassInfo(),
                                        {P::text("Text", &Panel::text, &Panel::setText)});
        return info;
    }
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
    const std::string& text() const { return m_text; }
    void setText(const std::string& t) { m_text = t; }

private:
    std::string m_text;
};

// A component with one property of every kind. Its setters count their calls, and the
// Spacing setter refuses negative values the way a control's checked setter does.
class Gadget : public ui::Component {
public:
    explicit Gadget(ui::Component* owner) : ui::Component(owner) {}
    static const ui::ClassInfo& staticClassInfo()
    {
        using P = ui::Published<Gadget>;
        static const ui::ClassInfo info(
            "TGadget", &ui::Component::staticClassInfo(),
            {
                P::text("Caption", &Gadget::caption, &Gadget::setCaption),
                P::integer("Spacing", &Gadget::spacing, &Gadget::setSpacing),
                P::integer("Level", &Gadget::level, &Gadget::setLevel),
                P::integer("Offset", &Gadget::offset, &Gadget::setOffset),
                P::integer("Percent", &Gadget::spacing, &Gadget::setSpacing, 0, 100),
                P::enumeration("Shape", &Gadget::shape, &Gadget::setShape,
                               {"spSquare", "spShaped", "spRound"}),
                P::boolean("Lit", &Gadget::lit, &Gadget::setLit),
                P::floating("Ratio", &Gadget::ratio, &Gadget::setRatio),
                P::text("Serial", &Gadget::caption, nullptr),
                P::object("Font", &Gadget::font),
                P::object("Items", &Gadget::items),
                P::object("Panels", &Gadget::panels),
                P::object("Spare", &Gadget::spare),
                P::other("OnClick"),
            });
        return info;
    }
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& c) { ++setterCalls, m_caption = c; }
    std::int32_t spacing() const { return m_spacing; }
    void setSpacing(std::int32_t s)
    {
        ++setterCalls;
        if (s >= 0) {
            m_spacing = s;
        }
    }
    std::uint8_t level() const { return m_level; }
    void setLevel(std::uint8_t l) { ++setterCalls, m_level = l; }
    std::int16_t offset() const { return m_offset; }
    void setOffset(std::int16_t o) { ++setterCalls, m_offset = o; }
    Shape shape() const { return m_shape; }
    void setShape(Shape s) { ++setterCalls, m_shape = s; }
    bool lit() const { return m_lit; }
    void setLit(bool l) { ++setterCalls, m_lit = l; }
    double ratio() const { return m_ratio; }
    void setRatio(double r) { ++setterCalls, m_ratio = r; }
    ui::Font& font() { return m_font; }
    ui::StringList& items() { return m_items; }
    ui::TypedCollection<Panel>& panels() { return m_panels; }
    ui::Font* spare() { return nullptr; }

    int setterCalls = 0;

private:
    std::string m_caption = "first";
    std::int32_t m_spacing = 1;
    std::uint8_t m_level = 7;
    std::int16_t m_offset = 0;
    Shape m_shape = Shape::Square;
    bool m_lit = true;
    double m_ratio = 0.5;
    ui::Font m_font;
    ui::StringList m_items;
    ui::TypedCollection<Panel> m_panels;
};

// Derives from Gadget, publishes Caption again and adds nothing else: what a form class does.
class Widget : public Gadget {
public:
    using Gadget::Gadget;
    static const ui::ClassInfo& staticClassInfo()
    {
        using P = ui::Published<Widget>;
        static const ui::ClassInfo info(
            "TWidget", &Gadget::staticClassInfo(),
            {P::text("Caption", &Widget::caption, &Widget::setCaption)});
        return info;
    }
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
};

TEST(ClassInfo, PropertiesAreFoundByNameWithoutLetterCaseThroughTheBases)
{
    struct Case {
        const char* name;
        PropertyKind kind;
        const char* declaredBy; // null: not found
    };
    const Case cases[] = {
        {"caption", PropertyKind::Text, "TWidget"},
        {"CAPTION", PropertyKind::Text, "TWidget"},
        {"spacing", PropertyKind::Integer, "TGadget"},
        {"sHaPe", PropertyKind::Enumeration, "TGadget"},
        {"Lit", PropertyKind::Enumeration, "TGadget"},
        {"ratio", PropertyKind::Float, "TGadget"},
        {"font", PropertyKind::Object, "TGadget"},
        {"onclick", PropertyKind::Other, "TGadget"},
        {"name", PropertyKind::Text, "TComponent"},
        {"TAG", PropertyKind::Integer, "TComponent"},
        {"Captio", PropertyKind::Other, nullptr},
        {"", PropertyKind::Other, nullptr},
        {"Font.Name", PropertyKind::Other, nullptr},
    };
    Widget w(nullptr);
    EXPECT_EQ(w.className(), "TWidget");
    EXPECT_TRUE(w.classInfo().inheritsFrom("tcomponent"));
    EXPECT_FALSE(Gadget::staticClassInfo().inheritsFrom(Widget::staticClassInfo()));
    for (const Case& c : cases) {
        const ui::PropertyInfo* p = ui::findProperty(w, c.name);
        if (!c.declaredBy) {
            EXPECT_EQ(p, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->kind(), c.kind) << c.name;
        bool declared = false;
        for (const ui::ClassInfo* ci = &w.classInfo(); ci; ci = ci->base()) {
            for (const ui::PropertyInfo& own : ci->ownProperties()) {
                if (&own == p) {
                    declared = ci->className() == c.declaredBy;
                }
            }
        }
        EXPECT_TRUE(declared) << c.name << " should come from " << c.declaredBy;
    }
}

TEST(ClassInfo, PropertyListStartsWithTheBasesAndNamesARedeclaredPropertyOnce)
{
    Widget w(nullptr);
    std::vector<std::string> names;
    for (const ui::PropertyInfo* p : w.classInfo().properties()) {
        names.push_back(p->name());
    }
    const std::vector<std::string> expected = {
        "Name",  "Tag",    "Spacing", "Level", "Offset", "Percent", "Shape",   "Lit",
        "Ratio", "Serial", "Font",    "Items", "Panels", "Spare",   "OnClick", "Caption"};
    EXPECT_EQ(names, expected);
}

TEST(ClassInfo, IntegerRangesComeFromTheGetterTypeOrTheDeclaration)
{
    struct Case {
        const char* name;
        std::int64_t lowest;
        std::int64_t highest;
    };
    const Case cases[] = {
        {"Spacing", INT32_MIN, INT32_MAX},
        {"Level", 0, 255},
        {"Offset", -32768, 32767},
        {"Percent", 0, 100},
        {"Shape", 0, 2},
        {"Lit", 0, 1},
        {"Tag", INT32_MIN, INT32_MAX},
    };
    Gadget g(nullptr);
    for (const Case& c : cases) {
        const ui::PropertyInfo* p = ui::findProperty(g, c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->lowest(), c.lowest) << c.name;
        EXPECT_EQ(p->highest(), c.highest) << c.name;
    }
    const ui::PropertyInfo* lit = ui::findProperty(g, "Lit");
    EXPECT_EQ(lit->identifiers(), (std::vector<std::string>{"False", "True"}));
}

TEST(ClassInfo, WritesGoThroughTheSetterAndReadBackThroughTheGetter)
{
    Gadget g(nullptr);
    const auto& info = g.classInfo();

    EXPECT_EQ(info.findProperty("Caption")->setText(g, "E&xit"), SetResult::Done);
    EXPECT_EQ(info.findProperty("Level")->setInteger(g, 255), SetResult::Done);
    EXPECT_EQ(info.findProperty("Offset")->setInteger(g, -32768), SetResult::Done);
    EXPECT_EQ(info.findProperty("Shape")->setIdentifier(g, "SPROUND"), SetResult::Done);
    EXPECT_EQ(info.findProperty("Lit")->setIdentifier(g, "false"), SetResult::Done);
    EXPECT_EQ(info.findProperty("Ratio")->setFloat(g, 2.25), SetResult::Done);
    EXPECT_EQ(g.setterCalls, 6);

    EXPECT_EQ(g.caption(), "E&xit");
    EXPECT_EQ(*info.findProperty("caption")->text(g), "E&xit");
    EXPECT_EQ(*info.findProperty("level")->integer(g), 255);
    EXPECT_EQ(*info.findProperty("offset")->integer(g), -32768);
    EXPECT_EQ(g.shape(), Shape::Round);
    EXPECT_EQ(*info.findProperty("shape")->ordinal(g), 2);
    EXPECT_EQ(*info.findProperty("shape")->identifier(g), "spRound");
    EXPECT_FALSE(g.lit());
    EXPECT_EQ(*info.findProperty("lit")->identifier(g), "False");
    EXPECT_DOUBLE_EQ(*info.findProperty("ratio")->floating(g), 2.25);

    // A setter that refuses a value keeps the old one: the model reports Done because the
    // setter ran, and the getter tells the truth.
    EXPECT_EQ(info.findProperty("Spacing")->setInteger(g, -1), SetResult::Done);
    EXPECT_EQ(*info.findProperty("Spacing")->integer(g), 1);
}

TEST(ClassInfo, RefusedWritesLeaveTheValueAndDoNotCallTheSetter)
{
    struct Case {
        const char* property;
        SetResult (*write)(const ui::PropertyInfo&, ui::Persistent&);
        SetResult expected;
    };
    const Case cases[] = {
        {"Level", [](auto& p, auto& o) { return p.setInteger(o, 256); }, SetResult::OutOfRange},
        {"Level", [](auto& p, auto& o) { return p.setInteger(o, -1); }, SetResult::OutOfRange},
        {"Percent", [](auto& p, auto& o) { return p.setInteger(o, 101); }, SetResult::OutOfRange},
        {"Level", [](auto& p, auto& o) { return p.setText(o, "9"); }, SetResult::WrongKind},
        {"Caption", [](auto& p, auto& o) { return p.setInteger(o, 1); }, SetResult::WrongKind},
        {"Shape", [](auto& p, auto& o) { return p.setIdentifier(o, "spOval"); },
         SetResult::NotAMember},
        {"Lit", [](auto& p, auto& o) { return p.setIdentifier(o, "'False'"); },
         SetResult::NotAMember},
        {"Shape", [](auto& p, auto& o) { return p.setOrdinal(o, 3); }, SetResult::OutOfRange},
        {"Shape", [](auto& p, auto& o) { return p.setInteger(o, 1); }, SetResult::WrongKind},
        {"Ratio", [](auto& p, auto& o) { return p.setText(o, "1.5"); }, SetResult::WrongKind},
        {"Serial", [](auto& p, auto& o) { return p.setText(o, "x"); }, SetResult::ReadOnly},
        {"Font", [](auto& p, auto& o) { return p.setText(o, "x"); }, SetResult::WrongKind},
        {"OnClick", [](auto& p, auto& o) { return p.setText(o, "x"); }, SetResult::WrongKind},
    };
    for (const Case& c : cases) {
        Gadget g(nullptr);
        const ui::PropertyInfo* p = ui::findProperty(g, c.property);
        ASSERT_NE(p, nullptr) << c.property;
        EXPECT_EQ(c.write(*p, g), c.expected) << c.property;
        EXPECT_EQ(g.setterCalls, 0) << c.property;
        EXPECT_EQ(g.caption(), "first");
        EXPECT_EQ(g.level(), 7);
        EXPECT_EQ(g.shape(), Shape::Square);
        EXPECT_TRUE(g.lit());
        EXPECT_EQ(g.ratio(), 0.5);
    }
}

TEST(ClassInfo, APropertyOfOneClassRefusesAnObjectOfAnother)
{
    Gadget g(nullptr);
    ui::Component plain(nullptr);
    const ui::PropertyInfo* caption = ui::findProperty(g, "Caption");
    EXPECT_EQ(caption->setText(plain, "x"), SetResult::WrongClass);
    EXPECT_FALSE(caption->text(plain).has_value());
    EXPECT_EQ(ui::findProperty(g, "Font")->object(plain), nullptr);
}

TEST(ClassInfo, ObjectPropertiesLeadToNestedObjectsListsAndCollections)
{
    Gadget g(nullptr);
    ui::Persistent* font = ui::findProperty(g, "Font")->object(g);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->className(), "TFont");
    EXPECT_EQ(ui::findProperty(*font, "name")->setText(*font, "Tahoma"), SetResult::Done);
    EXPECT_EQ(g.font().name(), "Tahoma");
    // Charset is a byte: 300 is out of its range and changes nothing.
    EXPECT_EQ(ui::findProperty(*font, "Charset")->highest(), 255);
    EXPECT_EQ(ui::findProperty(*font, "Charset")->setInteger(*font, 300), SetResult::OutOfRange);
    EXPECT_EQ(g.font().charset(), 1);

    auto* items = dynamic_cast<ui::StringList*>(ui::findProperty(g, "items")->object(g));
    ASSERT_NE(items, nullptr);
    items->assign({"a", "b"});
    EXPECT_EQ(g.items().lines(), (std::vector<std::string>{"a", "b"}));

    g.panels().add();
    g.panels().add();
    auto* panels = dynamic_cast<ui::Collection*>(ui::findProperty(g, "Panels")->object(g));
    ASSERT_NE(panels, nullptr);
    ui::CollectionItem& second = panels->item(1);
    EXPECT_EQ(second.index(), 1);
    EXPECT_EQ(ui::findProperty(second, "TEXT")->setText(second, "Ready"), SetResult::Done);
    EXPECT_EQ(g.panels().item(1).text(), "Ready");
    EXPECT_THROW(panels->item(2), ui::ListIndexError);

    EXPECT_EQ(ui::findProperty(g, "Spare")->object(g), nullptr);
}

TEST(ClassInfo, AClassThatPublishesANameTwiceIsRefused)
{
    using P = ui::Published<Gadget>;
    EXPECT_THROW(ui::ClassInfo("TBad", &Gadget::staticClassInfo(),
                               {P::text("Caption", &Gadget::caption, &Gadget::setCaption),
                                P::text("caption", &Gadget::caption, &Gadget::setCaption)}),
                 std::logic_error);
}

} // namespace
