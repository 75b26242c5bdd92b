// Runs one of the rules' handlers many times, for callgrind to count its instructions.
//
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*countedClicks*'
//            rules_clicks HANDLER COUNT
//
// Only countedClicks is collected; the instructions counted, divided by COUNT, are one click.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "bench/RulesCase.h"
#include "bench/SilentHost.h"

namespace {

using mukiro::bench::RulesCase;

[[gnu::noinline]] std::size_t countedClicks(const RulesCase& rulesCase, long count) {
    mukiro::bench::SilentHost host;
    for (long i = 0; i < count; ++i) {
        mukiro::rules::Game game(host, host, rulesCase.start);
        rulesCase.click(game);
        asm volatile("" : : "r"(&game) : "memory");
    }
    return host.requests();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--list") {
        for (const RulesCase& rulesCase : RulesCase::all()) {
            std::puts(rulesCase.name);
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: rules_clicks --list | HANDLER COUNT\n");
        return 2;
    }
    const long count = std::atol(argv[2]);
    for (const RulesCase& rulesCase : RulesCase::all()) {
        if (std::string_view(argv[1]) == rulesCase.name) {
            std::printf("%zu\n", countedClicks(rulesCase, count));
            return 0;
        }
    }
    std::fprintf(stderr, "no handler %s\n", argv[1]);
    return 2;
}
