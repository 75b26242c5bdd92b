// What the player waits for the first time a picture is shown on a scaled screen: one picture
// of the set painted afresh at the screen's ratio (after that it is kept). Run by hand:
//   QT_QPA_PLATFORM=offscreen build/release/bench/art_bench
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "art/PictureBook.h"
#include "rules/Picture.h"

namespace {

using mukiro::rules::Picture;

void drawAt(benchmark::State& timing, Picture picture, double ratio) {
    const mukiro::art::PictureBook book;
    for (auto _ : timing) {
        benchmark::DoNotOptimize(book.draw(picture, ratio));
    }
}

// The champion has the most parts and shading; the gravestone sets text.
BENCHMARK_CAPTURE(drawAt, level5_at_1, Picture::level5, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawAt, level5_at_1_5, Picture::level5, 1.5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawAt, level5_at_2, Picture::level5, 2.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawAt, level5_at_3, Picture::level5, 3.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawAt, death_at_2, Picture::death, 2.0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);  // the gravestone's face needs the font machinery
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
