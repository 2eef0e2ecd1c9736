#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Keys.h"
#include "ui/Label.h"
#include "ui/Text.h"
#include "ui/WinControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

ui::WinControl* windowed(ui::Component* owner, const char* name, ui::WinControl* parent)
{
    auto* c = new ui::WinControl(owner);
    c->setName(name);
    c->setParent(parent);
    return c;
}

// A windowless control that paints a filled box of its colour and counts its paints.
class Swatch : public ui::GraphicControl {
public:
    explicit Swatch(ui::Component* owner) : ui::GraphicControl(owner) {}
    void Paint() override
    {
        ++paints;
        ui::Raster image(width() + 2, height() + 2);
        image.fillRect({0, 0, width(), height()}, color);
        present(image);
    }
    ui::TColor color = ui::clBtnFace;
    int paints = 0;
};

// Records what the model tells a window.
class FakePeer : public ui::ControlPeer {
public:
    explicit FakePeer(int dpi = ui::kDesignDpi) : m_dpi(dpi) {}
    void changed(ui::ControlChange what) override { changes.push_back(what); }
    void invalidate(const ui::Box& area) override { invalidated.push_back(area); }
    void present(const ui::Raster& image, int x, int y) override
    {
        presented.push_back({x, y, x + image.width(), y + image.height()});
        images.push_back(image);
    }
    int dpi() const override { return m_dpi; }
    std::vector<ui::ControlChange> changes;
    std::vector<ui::Box> invalidated;
    std::vector<ui::Box> presented;
    std::vector<ui::Raster> images;

private:
    int m_dpi;
};

TEST(Control, ChildControlsAreFoundByNameInChildOrder)
{
    ui::Form form(nullptr);
    auto* panel = windowed(&form, "Panel1", &form);
    auto* label = new ui::GraphicControl(&form); // owned by the form, child of the panel
    label->setName("Label3");
    label->setParent(panel);
    auto* first = windowed(&form, "Twin", &form);
    auto* other = windowed(panel, "twin", &form); // same name, different owner: both children

    struct Case {
        ui::WinControl* parent;
        const char* name;
        ui::Control* expected;
    };
    const Case cases[] = {
        {&form, "panel1", panel}, {&form, "LABEL3", nullptr}, {panel, "label3", label},
        {&form, "TWIN", first},   {&form, "", nullptr},       {panel, "Panel1", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.parent->FindChildControl(c.name), c.expected) << c.name;
    }
    EXPECT_EQ(form.controlCount(), 3);
    EXPECT_EQ(form.control(2), other);
    EXPECT_THROW(form.control(3), ui::ListIndexError);
    // Moving a control to another parent takes it out of the first.
    label->setParent(&form);
    EXPECT_EQ(panel->controlCount(), 0);
    EXPECT_EQ(form.FindChildControl("label3"), label);
}

TEST(Control, DestroyingAParentLeavesChildrenOfOtherOwnersWithoutParent)
{
    ui::Form form(nullptr);
    auto* panel = windowed(nullptr, "Panel1", &form);
    auto* label = new ui::GraphicControl(&form);
    label->setParent(panel);
    ui::destroy(panel);
    EXPECT_EQ(label->parent(), nullptr);
    EXPECT_EQ(form.controlCount(), 0);
    EXPECT_EQ(form.componentCount(), 1);
    label->setParent(&form);
    EXPECT_EQ(form.control(0), label);
}

TEST(Control, AlignedChildrenShareTheClientAreaInEdgeOrder)
{
    ui::Form form(nullptr);
    form.setClientWidth(246);
    form.setClientHeight(71);
    auto* client = windowed(&form, "Client", &form);
    auto* bar = windowed(&form, "Bar", &form);
    auto* top = windowed(&form, "Top", &form);
    auto* left = windowed(&form, "Left", &form);
    bar->setBounds(0, 0, 246, 41);
    bar->setAlign(ui::Align::Bottom);
    top->setHeight(10);
    top->setAlign(ui::Align::Top);
    left->setWidth(20);
    left->setAlign(ui::Align::Left);
    client->setAlign(ui::Align::Client);

    struct Case {
        ui::Control* control;
        ui::Box bounds;
    };
    const Case layout[] = {
        {bar, {0, 30, 246, 71}},
        {top, {0, 0, 246, 10}},
        {left, {0, 10, 20, 30}},
        {client, {20, 10, 246, 30}},
    };
    for (const Case& c : layout) {
        EXPECT_EQ(c.control->boundsRect(), c.bounds) << c.control->name();
    }
    // The form grows: the aligned children follow; hiding one gives its room to the others.
    form.setClientHeight(100);
    EXPECT_EQ(bar->boundsRect(), (ui::Box{0, 59, 246, 100}));
    top->hide();
    EXPECT_EQ(client->boundsRect(), (ui::Box{20, 0, 246, 59}));
}

TEST(Control, TabOrderCanBeChangedAndCountsOnlyWindowedSiblings)
{
    ui::Form form(nullptr);
    auto* a = windowed(&form, "A", &form);
    auto* label = new ui::GraphicControl(&form);
    label->setParent(&form);
    auto* b = windowed(&form, "B", &form);
    auto* c = windowed(&form, "C", &form);
    EXPECT_EQ(c->tabOrder(), 2);
    c->setTabOrder(0);
    EXPECT_EQ(form.tabList(), (std::vector<ui::WinControl*>{c, a, b}));
    a->setTabOrder(99);
    EXPECT_EQ(form.tabList(), (std::vector<ui::WinControl*>{c, b, a}));
    b->setTabOrder(-1); // ignored
    EXPECT_EQ(b->tabOrder(), 1);
    EXPECT_EQ(form.tabOrder(), -1);
}

TEST(Control, ChildrenFollowTheParentFontUntilTheirOwnIsSet)
{
    ui::Form form(nullptr);
    auto* panel = windowed(&form, "Panel1", &form);
    auto* label = new ui::GraphicControl(&form);
    label->setParent(panel);
    form.font().setName("Tahoma");
    EXPECT_EQ(label->font().name(), "Tahoma");
    label->font().setSize(12);
    EXPECT_FALSE(label->parentFont());
    form.font().setName("Arial");
    EXPECT_EQ(panel->font().name(), "Arial");
    EXPECT_EQ(label->font().name(), "Tahoma");
    label->setParentFont(true);
    EXPECT_EQ(label->font().size(), 8);
    EXPECT_EQ(label->font().name(), "Arial");
}

TEST(GraphicControl, ASizeChangeAsksForOneDeferredPaint)
{
    ui::Form form(nullptr);
    auto* swatch = new Swatch(&form);
    swatch->setParent(&form);
    swatch->setBounds(4, 4, 10, 6);
    EXPECT_TRUE(swatch->needsRepaint());
    EXPECT_EQ(swatch->paints, 0);
    form.paintInvalidatedControls();
    EXPECT_EQ(swatch->paints, 1);
    form.paintInvalidatedControls();
    EXPECT_EQ(swatch->paints, 1);
    EXPECT_EQ(swatch->surface().width(), 10);
    EXPECT_EQ(swatch->surface().height(), 6);
    EXPECT_EQ(swatch->surface().pixel(9, 5), 0xF0F0F0u);
    // A hidden control is not painted by the loop.
    swatch->setWidth(12);
    swatch->hide();
    form.paintInvalidatedControls();
    EXPECT_EQ(swatch->paints, 1);
}

TEST(GraphicControl, PresentShowsTheTopLeftOfTheImageInOneCopyOnTheParentWindow)
{
    ui::Form form(nullptr);
    auto* panel = windowed(&form, "Panel1", &form);
    panel->setBounds(50, 60, 100, 100);
    auto* swatch = new Swatch(&form);
    swatch->setParent(panel);
    swatch->setBounds(3, 4, 5, 2);

    auto peer = std::make_unique<FakePeer>();
    FakePeer* window = peer.get();
    form.setPeer(std::move(peer));

    swatch->color = ui::clRed;
    swatch->Paint();
    ASSERT_EQ(window->presented.size(), 1u);
    EXPECT_EQ(window->presented[0], (ui::Box{53, 64, 58, 66}));
    EXPECT_EQ(swatch->presentCount(), 1u);
    EXPECT_FALSE(swatch->needsRepaint());

    // A smaller image leaves the rest of the area as it was.
    ui::Raster dot(1, 1);
    dot.setPixel(0, 0, ui::clBlue);
    swatch->present(dot);
    EXPECT_EQ(swatch->surface().pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(swatch->surface().pixel(4, 1), 0x0000FFu);

    window->invalidated.clear();
    swatch->invalidate();
    EXPECT_EQ(window->invalidated, (std::vector<ui::Box>{{53, 64, 58, 66}}));
}

TEST(GraphicControl, AWindowAtAnotherScaleShowsTheScaledPictureOnTheScaledArea)
{
    ui::Form form(nullptr);
    auto* swatch = new Swatch(&form);
    swatch->setParent(&form);
    swatch->setBounds(3, 4, 5, 2);
    auto peer = std::make_unique<FakePeer>(144);
    FakePeer* window = peer.get();
    form.setPeer(std::move(peer));
    EXPECT_EQ(swatch->screenDpi(), 144);

    swatch->color = ui::clRed;
    swatch->Paint();
    // The model keeps its own picture at design size; the window gets the area scaled by its
    // edges, (4.5, 6)-(12, 9) to the pixel, filled as the design picture is.
    EXPECT_EQ(swatch->surface().width(), 5);
    ASSERT_EQ(window->presented.size(), 1u);
    EXPECT_EQ(window->presented[0], (ui::Box{5, 6, 12, 9}));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(window->images[0].pixel(x, y), 0x0000FFu);

    // A bevel draws its lines anew, as wide as the scale's whole steps: 2 pixels at 192.
    ui::Form other(nullptr);
    auto* bevel = new ui::Bevel(&other);
    bevel->setParent(&other);
    bevel->setBounds(0, 0, 10, 4);
    bevel->setShape(ui::BevelShape::LeftLine);
    auto sharp = std::make_unique<FakePeer>(192);
    FakePeer* high = sharp.get();
    other.setPeer(std::move(sharp));
    bevel->Paint();
    ASSERT_EQ(high->images.size(), 1u);
    const ui::Raster& lines = high->images[0];
    EXPECT_EQ(lines.width(), 20);
    const std::uint32_t shadow = ui::colorToRgb(ui::clBtnShadow);
    const std::uint32_t light = ui::colorToRgb(ui::clBtnHighlight);
    EXPECT_EQ(lines.pixel(0, 7), shadow);
    EXPECT_EQ(lines.pixel(1, 7), shadow);
    EXPECT_EQ(lines.pixel(2, 7), light);
    EXPECT_EQ(lines.pixel(3, 7), light);
    EXPECT_EQ(lines.pixel(4, 7), ui::colorToRgb(ui::clBtnFace));
    // At design size, the bevel's picture is the model's own.
    EXPECT_EQ(bevel->screenPicture(bevel->surface(), ui::kDesignDpi, 10, 4), bevel->surface());
}

TEST(Control, ThePeerHearsOfEveryChangeOnce)
{
    ui::Form form(nullptr);
    auto peer = std::make_unique<FakePeer>();
    FakePeer* window = peer.get();
    form.setPeer(std::move(peer));
    form.setCaption("Channel Sound");
    form.setCaption("Channel Sound");
    form.setEnabled(false);
    form.setHint("tip");
    form.setBounds(1, 2, 3, 4);
    form.setBounds(1, 2, 3, 4);
    using C = ui::ControlChange;
    EXPECT_EQ(window->changes, (std::vector<C>{C::Text, C::Enabled, C::Hint, C::Bounds}));
}

} // namespace

TEST(Accessibility, AKeysNameIsTheOneOnAUsKeyboard)
{
    const std::pair<std::uint16_t, const char*> cases[] = {
        {'A', "A"},       {'7', "7"},   {0x60, "Num 0"}, {0x69, "Num 9"},
        {0x6B, "Num +"},  {0x70, "F1"}, {0x87, "F24"},   {0x21, "Page Up"},
        {0x2E, "Delete"}, {0xBA, ";"},  {0xDE, "'"},     {0x20, "Space"},
        {0, ""},          {0x88, ""},   {0xFF, ""},      {0x61, "Num 1"},
    };
    for (const auto& [key, name] : cases)
        EXPECT_EQ(ui::standardKeyName(key), name) << key;
}

TEST(Accessibility, AccessKeyMarksAreDroppedFromALabelsCaption)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Password", "Password"}, {"Pass&word", "Password"},
        {"A && B", "A & B"},       {"&&&X", "&X"},
        {"Trailing&", "Trailing"}, {"", ""},
    };
    for (const auto& [caption, plain] : cases)
        EXPECT_EQ(ui::withoutAccessKey(caption), plain) << caption;
}
