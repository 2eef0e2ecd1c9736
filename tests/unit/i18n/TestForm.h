#pragma once
// A form that stands in for the program's forms in the translation tests: a label with
// properties of every kind (text, integers with a narrow range, floating-point, enumeration,
// string list, collection, nested objects, a read-only text, an event), a panel whose child
// is owned by the form, a component owned by the panel, and a translator.

#include "i18n/bsPolyglotTranslator.h"

#include "ui/Collection.h"
#include "ui/Form.h"
#include "ui/StringList.h"
#include "ui/WinControl.h"

#include <cstdint>
#include <string>

namespace i18n::test {

enum class TestAlignment { LeftJustify, RightJustify, Center };

class TTestPanelItem : public ui::CollectionItem {
public:
    explicit TTestPanelItem(ui::Collection& collection) : ui::CollectionItem(collection) {}
    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& text() const { return m_text; }
    void setText(const std::string& text) { m_text = text; }
    std::int32_t width() const { return m_width; }
    void setWidth(std::int32_t width) { m_width = width; }

private:
    std::string m_text;
    std::int32_t m_width = 50;
};

class TTestExtra : public ui::Persistent {
public:
    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& note() const { return m_note; }
    void setNote(const std::string& note) { m_note = note; }
    std::uint8_t level() const { return m_level; }
    void setLevel(std::uint8_t level) { m_level = level; }

private:
    std::string m_note = "designed note";
    std::uint8_t m_level = 1;
};

class TTestLabel : public ui::Control {
public:
    explicit TTestLabel(ui::Component* owner);
    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    std::uint8_t smallValue() const { return m_small; }
    void setSmallValue(std::uint8_t value) { m_small = value; }
    std::int16_t shortValue() const { return m_short; }
    void setShortValue(std::int16_t value) { m_short = value; }
    double ratio() const { return m_ratio; }
    void setRatio(double ratio) { m_ratio = ratio; }
    TestAlignment alignment() const { return m_alignment; }
    void setAlignment(TestAlignment alignment) { m_alignment = alignment; }
    const std::string& version() const { return m_version; }
    ui::StringList& items() { return m_items; }
    ui::TypedCollection<TTestPanelItem>& panels() { return m_panels; }
    TTestExtra& extra() { return m_extra; }
    TTestExtra* missing() { return nullptr; }

private:
    std::uint8_t m_small = 7;
    std::int16_t m_short = 0;
    double m_ratio = 1.0;
    TestAlignment m_alignment = TestAlignment::LeftJustify;
    std::string m_version = "designed version";
    ui::StringList m_items{{"designed item"}};
    ui::TypedCollection<TTestPanelItem> m_panels;
    TTestExtra m_extra;
};

class TTestPanel : public ui::WinControl {
public:
    using ui::WinControl::WinControl;
    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
};

class TTestForm : public ui::Form {
public:
    // Builds the form with its designed values; its translator uses `manager` (may be null)
    // and translates the form before OnCreate, which records the caption it sees.
    TTestForm(ui::Component* owner, TbsPolyglotManager* manager);
    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    TTestLabel* Label1;
    TTestPanel* Panel1;
    TTestLabel* Label3; // owned by the form, child of Panel1
    TTestLabel* Inner;  // owned by Panel1, not a control of it
    TbsPolyglotTranslator* bsPolyglotTranslator1;
    std::string captionAtCreate;
};

// Every property the tests look at, one per line, for comparing two forms.
std::string dump(TTestForm& form);

} // namespace i18n::test
