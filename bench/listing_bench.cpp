// The folder listing's own work per entry: sorting the names of a large folder, and the
// name, full path and title handed to the expansion for each of them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/folder_listing.h"

namespace {

std::vector<std::string> DrawingNames(std::size_t count) {
    std::vector<std::string> names{".", ".."};
    names.reserve(count + 2);
    char name[40];
    for (std::size_t index = 0; index < count; ++index) {
        std::snprintf(name, sizeof name, "drawing-%06zu.dwg", index);
        names.emplace_back(name);
    }
    // The order a file system hands them over in is not the name order.
    std::ranges::shuffle(names, std::mt19937(4711));
    return names;
}

void SortByName(benchmark::State& state) {
    const std::vector<std::string> names = DrawingNames(static_cast<std::size_t>(state.range(0)));
    for ([[maybe_unused]] auto iteration : state) {
        state.PauseTiming();
        quillet::NameList list;
        for (const std::string& name : names) {
            list.Add(name);
        }
        state.ResumeTiming();
        list.SortByName();
        benchmark::DoNotOptimize(list[0].data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

BENCHMARK(SortByName)->Arg(100'000)->ArgName("names")->Unit(benchmark::kMillisecond);

}  // namespace
