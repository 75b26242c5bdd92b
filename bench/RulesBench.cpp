// Times each of the rules' handlers alone, from the state of its RulesCase, with silent ports.
// Each iteration starts a fresh game from a copy of that state, as cheaply as a game starts.
#include <benchmark/benchmark.h>

#include "bench/RulesCase.h"
#include "bench/SilentHost.h"

namespace {

using mukiro::bench::RulesCase;

void clickOnce(benchmark::State& timing, const RulesCase* rulesCase) {
    mukiro::bench::SilentHost host;
    for (auto _ : timing) {
        mukiro::rules::Game game(host, host, rulesCase->start);
        rulesCase->click(game);
        benchmark::DoNotOptimize(game.state());
    }
    benchmark::DoNotOptimize(host.requests());
}

// The cost of the fresh start alone, to read the handlers' own share from the figures above.
void startOnly(benchmark::State& timing) {
    mukiro::bench::SilentHost host;
    const mukiro::rules::GameState start = RulesCase::all().front().start;
    for (auto _ : timing) {
        mukiro::rules::Game game(host, host, start);
        benchmark::DoNotOptimize(game.state());
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const RulesCase& rulesCase : RulesCase::all()) {
        benchmark::RegisterBenchmark(rulesCase.name, clickOnce, &rulesCase);
    }
    benchmark::RegisterBenchmark("(fresh game only)", startOnly);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
