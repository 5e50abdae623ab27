// Speed of the screen drawing: the construction painted through the Qt surface, antialiased, into a
// 3840 x 2160 image (a 4K screen), for every dial type and the split dial (its loops by the plain methods,
// without the optimisation). The goal is under 8 ms a drawing.

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "graphics/construction.h"
#include "ui/image_view.h"
#include "ui/qt_surface.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace umbrix;

namespace {

/// The dial of `dialType` with its presets; marksMode 2 and `method` make the split dial.
std::unique_ptr<Model> Dial(int dialType, int marksMode = -1, int method = 1)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, dialType);
    if (marksMode >= 0) {
        m->params.marksMode = static_cast<MarksMode>(marksMode);
        m->params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(method);
    }
    (void)ShowParameters(*m);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

void Paint(benchmark::State& state, Model& model)
{
    QImage canvas = BlankCanvas(QSize(3840, 2160), 1);
    DrawingState drawing;
    // The screen drawing clears its image itself.
    for (auto _ : state) {
        QtSurface surface(canvas);
        benchmark::DoNotOptimize(DrawConstruction(model, drawing, surface, ScreenDrawOptions({})));
    }
    benchmark::DoNotOptimize(canvas.constBits());
}

void DialType(benchmark::State& state)
{
    auto m = Dial(static_cast<int>(state.range(0)));
    Paint(state, *m);
}
BENCHMARK(DialType)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void SplitDial(benchmark::State& state)
{
    auto m = Dial(6, 2, static_cast<int>(state.range(0)));
    Paint(state, *m);
}
BENCHMARK(SplitDial)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Text on an image needs a GUI application; without a display it runs offscreen.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
