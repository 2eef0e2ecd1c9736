// A full paint of the main window's display: layout, the off-screen image of 248 × 30
// pixels, panel, frame, 15 cells of 35 dots, and the hand-over to the surface. Target: under
// 20 µs natively.

#include "lcd/LCDLabel.h"
#include "lcd/LCDLabelClass.h"

#include <benchmark/benchmark.h>

namespace {

class DiscardingSurface final : public lcd::LcdSurface {
public:
    void copyFrom(const lcd::PixelImage& image, int, int) override
    {
        benchmark::DoNotOptimize(image.pixels().data());
    }
};

void paintChannelLcd(benchmark::State& state, lcd::TPixelShape shape)
{
    DiscardingSurface surface;
    lcd::TLCDLabel label;
    label.setSurface(&surface);
    lcd::applyChannelLcdLayout(label);
    label.setPixelShape(shape);
    label.setCaption("Counter-Strike!"); // 15 characters, every cell used
    for (auto _ : state)
        label.Paint();
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
