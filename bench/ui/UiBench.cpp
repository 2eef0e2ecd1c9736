// How long the framework's hot paths take: a property found by name (each entry of a
// language file costs one such lookup per path segment), a display-sized paint into a
// Raster with its presentation, and a posted message handed out by the headless loop.

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/headless/HeadlessBackend.h"

#include <benchmark/benchmark.h>

namespace {

void PropertyLookupByName(benchmark::State& state)
{
    ui::Button button(nullptr);
    const char* names[] = {"Caption", "hint", "VISIBLE", "ModalResult", "TabOrder", "Missing"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ui::findProperty(button, names[i++ % 6]));
    }
}
BENCHMARK(PropertyLookupByName);

// 15 cells of 5 x 7 dots, 2 x 2 pixels each: the program's display, one call per dot.
class Dots : public ui::GraphicControl {
public:
    explicit Dots(ui::Component* owner) : ui::GraphicControl(owner) { setBounds(0, 0, 246, 28); }
    void Paint() override
    {
        ui::Raster image(width() + 2, height() + 2);
        image.fillRect({0, 0, width(), height()}, ui::clSilver);
        image.frameRect({0, 0, width(), height()}, ui::clBtnHighlight);
        for (int cell = 0; cell < 15; ++cell) {
            for (int r = 0; r < 7; ++r) {
                for (int c = 0; c < 5; ++c) {
                    const int x = 4 + cell * 16 + c * 3;
                    const int y = 4 + r * 3;
                    image.fillRect({x, y, x + 2, y + 2}, (r + c) % 2 ? ui::clBlack : 0xAAAAAA);
                }
            }
        }
        present(image);
    }
};

void DisplayPaintAndPresent(benchmark::State& state)
{
    ui::headless::HeadlessBackend backend;
    Dots dots(nullptr);
    for (auto _ : state) {
        dots.Paint();
    }
    state.SetItemsProcessed(state.iterations() * 525);
}
BENCHMARK(DisplayPaintAndPresent);

void PostedMessageHandedOut(benchmark::State& state)
{
    ui::headless::HeadlessBackend backend;
    ui::Application app;
    ui::Form& form = app.createForm<ui::Form>();
    int handled = 0;
    form.setMessageHandler(0x401, [&](const ui::Message&) { ++handled; });
    for (auto _ : state) {
        form.postMessage(0x401);
        app.processMessages();
    }
    benchmark::DoNotOptimize(handled);
}
BENCHMARK(PostedMessageHandedOut);

} // namespace
