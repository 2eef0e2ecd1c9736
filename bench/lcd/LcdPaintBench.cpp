// A full paint of the main window's display: layout, the off-screen image of 248 × 30
// pixels, panel, frame, 15 cells of 35 dots, and the one copy to the control's area.
// Target: under 20 µs natively.

#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"
#include "ui/headless/HeadlessBackend.h"

#include <benchmark/benchmark.h>

namespace {

void paintChannelLcd(benchmark::State& state, lcd::TPixelShape shape)
{
    ui::headless::HeadlessBackend backend;
    auto label = ui::makeComponent<lcd::TLCDLabel>(nullptr);
    lcd::applyChannelLcdLayout(*label);
    label->setPixelShape(shape);
    label->setCaption("Counter-Strike!"); // 15 characters: every cell used
    for (auto _ : state) {
        label->Paint();
        benchmark::DoNotOptimize(label->surface().pixels().data());
    }
}

void BM_PaintChannelLcd(benchmark::State& state)
{
    paintChannelLcd(state, lcd::TPixelShape::spSquare);
}
void BM_PaintChannelLcdShaped(benchmark::State& state)
{
    paintChannelLcd(state, lcd::TPixelShape::spShaped);
}

} // namespace

BENCHMARK(BM_PaintChannelLcd);
BENCHMARK(BM_PaintChannelLcdShaped);
