// What one write call per piece costs: the script of 100,000 entries (pieces of a typical
// expanded base script's length) written to a file in the folder named by QUILLET_BENCH_DIR
// (tmpfs, so no disk is measured), one call per piece, beside the same bytes in 1 MiB calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kPieces = 100'000;
constexpr std::size_t kPieceBytes = 305;  // the benchmark's base script, expanded

std::string BenchFile() {
    const char* folder = std::getenv("QUILLET_BENCH_DIR");
    return std::string(folder != nullptr ? folder : "/dev/shm") + "/quillet-write-bench.out";
}

int OpenEmpty(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot open " + path);
    }
    return fd;
}

void WriteAll(int fd, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written <= 0) {
            throw std::runtime_error("write failed");
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

void OneWritePerPiece(benchmark::State& state) {
    const std::string path = BenchFile();
    const std::string piece(kPieceBytes, 'x');
    for ([[maybe_unused]] auto iteration : state) {
        const int fd = OpenEmpty(path);
        for (std::size_t index = 0; index < kPieces; ++index) {
            WriteAll(fd, piece.data(), piece.size());
        }
        ::close(fd);
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPieces));
}

void WritesOfOneMebibyte(benchmark::State& state) {
    const std::string path = BenchFile();
    const std::string piece(kPieceBytes, 'x');
    std::string buffer;
    for ([[maybe_unused]] auto iteration : state) {
        const int fd = OpenEmpty(path);
        for (std::size_t index = 0; index < kPieces; ++index) {
            buffer.append(piece);
            if (buffer.size() >= (std::size_t{1} << 20)) {
                WriteAll(fd, buffer.data(), buffer.size());
                buffer.clear();
            }
        }
        WriteAll(fd, buffer.data(), buffer.size());
        buffer.clear();
        ::close(fd);
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPieces));
}

BENCHMARK(OneWritePerPiece)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WritesOfOneMebibyte)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
