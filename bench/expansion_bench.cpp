// Throughput of the expansion of one entry's copy, beside a plain copy of the same bytes: the
// ceiling that any expansion of a text this long could reach.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "core/code_page.h"
#include "core/expansion.h"
#include "core/listed_entry.h"

namespace {

// A typical base script block: one drawing opened, plotted to PDF and closed, with all four
// placeholders; repeated to the size measured.
constexpr const char* kBlock =
    "; <TARGET_FNAMEEXT>\r\n"
    "OPEN \"<TARGET_FILEPATH>\"\r\n"
    "-PLOT Y Model \"PDF plotter.pc3\" \"A3 sheet (420.0 x 297.0 mm)\" M L N E 1:1 C Y "
    "\"monochrome.ctb\" Y N N Y \"<TARGET_FOLDER>/pdf/<TARGET_FNAMETITLE>.pdf\" N Y\r\n"
    "-PURGE A * N\r\n"
    "QSAVE\r\n"
    "CLOSE\r\n";

std::string BaseScriptOf(std::size_t size) {
    std::string text;
    while (text.size() < size) {
        text += kBlock;
    }
    text.resize(size);
    return text;
}

quillet::ListedEntry Entry() {
    return {"drawing-004711.dwg", "/srv/cad/projects/bridge/drawings/drawing-004711.dwg",
            "drawing-004711"};
}
constexpr const char* kFolder = "/srv/cad/projects/bridge/drawings";

void Expand(benchmark::State& state) {
    const std::string base = BaseScriptOf(static_cast<std::size_t>(state.range(0)));
    const auto codePage = static_cast<quillet::CodePage>(state.range(1));
    const quillet::ListedEntry entry = Entry();
    for ([[maybe_unused]] auto iteration : state) {
        std::string text = quillet::ExpandBaseScript(base, kFolder, entry, codePage);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(base.size()));
    state.SetLabel(codePage == quillet::CodePage::Cp932 ? "932" : "none");
}

// The run's way: one expander for all entries, its buffers reused from entry to entry.
void Expander(benchmark::State& state) {
    const std::string base = BaseScriptOf(static_cast<std::size_t>(state.range(0)));
    const auto codePage = static_cast<quillet::CodePage>(state.range(1));
    const quillet::ListedEntry entry = Entry();
    quillet::BaseScriptExpander expander(base, kFolder, codePage);
    for ([[maybe_unused]] auto iteration : state) {
        const std::string_view text = expander.Expand(entry);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(base.size()));
    state.SetLabel(codePage == quillet::CodePage::Cp932 ? "932" : "none");
}

void PlainCopy(benchmark::State& state) {
    const std::string base = BaseScriptOf(static_cast<std::size_t>(state.range(0)));
    for ([[maybe_unused]] auto iteration : state) {
        std::string text(base);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(base.size()));
}

constexpr std::int64_t kNone = static_cast<std::int64_t>(quillet::CodePage::None);
constexpr std::int64_t k932 = static_cast<std::int64_t>(quillet::CodePage::Cp932);

BENCHMARK(Expand)->ArgsProduct({{4 << 10, 64 << 10}, {kNone, k932}})->ArgNames({"bytes", "cp"});
BENCHMARK(Expander)->ArgsProduct({{4 << 10, 64 << 10}, {kNone, k932}})->ArgNames({"bytes", "cp"});
BENCHMARK(PlainCopy)->Arg(4 << 10)->Arg(64 << 10)->ArgName("bytes");

}  // namespace
