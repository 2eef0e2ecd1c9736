#include "ui/Form.h"
#include "ui/GraphicControl.h"
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
    void changed(ui::ControlChange what) override { changes.push_back(what); }
    void invalidate(const ui::Box& area) override { invalidated.push_back(area); }
    void present(const ui::Raster& image, int x, int y) override
    {
        presented.push_back({x, y, x + image.width(), y + image.height()});
    }
    std::vector<ui::ControlChange> changes;
    std::vector<ui::Box> invalidated;
    std::vector<ui::Box> presented;
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
