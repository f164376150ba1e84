// How loading a plain text grows with its size, and what an open text costs
// the player in memory.
//
// Part 1 (Google Benchmark): generated Shift-JIS novels of 1, 4, 16 and 64 MB.
//   Split      - the bytes split into lines, nothing else (the floor).
//   Load       - what opening a ".txt" does in memory: split, break into
//                display lines, pad, terminator, expansion of shorthands.
//   LoadOneLine- the same for a file without a single line end, where all
//                the breaking happens inside one line.
//   per_MB is the CPU time per megabyte; the summary after the table takes
//   the least of five runs and gives the growth from one size to the next
//   (4x the size must take at most 4x the time).
//
// Part 2: the player itself. A copy of the built "qorix" is started in a
//   temporary folder (so its recent list and working copy land there) on the
//   offscreen platform, once without a scenario and once with the 16 MB text
//   as its argument. The peak resident size is read from VmHWM in
//   /proc/<pid>/status once the scenario is open (its save file exists) and
//   the figure has stopped growing; then the player is ended. The player is
//   found next to this program's folder (../qorix) or at $QORIX_PLAYER;
//   --no-player skips this part.
//
// Build and run: cmake -DQORIX_BENCH=ON, build the targets qorix and
// bench_normalize, then build/bench/bench_normalize.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "base/LineList.h"
#include "scenario/LineBreak.h"
#include "scenario/Normalize.h"

namespace {

constexpr size_t kMB = 1024 * 1024;

class Random {
public:
    explicit Random(uint64_t seed) : s_(seed) {}
    uint32_t Next()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return static_cast<uint32_t>(s_ >> 11);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint64_t s_;
};

// A plain-text novel: paragraphs indented with an ideographic space, lines of
// dialogue in brackets, blank lines between scenes, some half-width words;
// kanji, kana and punctuation in proportions like those of real prose.
std::string MakeNovel(size_t bytes, bool lineEnds)
{
    Random rnd(12345);
    std::string s;
    s.reserve(bytes + 1024);
    auto kanji = [&] {
        s += static_cast<char>(0x88 + rnd.Below(8));
        s += static_cast<char>(0x9F + rnd.Below(0x5D));
    };
    auto hira = [&] {
        s += '\x82';
        s += static_cast<char>(0x9F + rnd.Below(0x53));
    };
    auto end = [&] {
        if (lineEnds) s += "\r\n";
    };
    s += "\x95\xA8\x8C\xEA";  // title
    end();
    while (s.size() < bytes) {
        const uint32_t kind = rnd.Below(10);
        if (kind == 0) {
            end();  // a blank line between scenes
            continue;
        }
        const bool dialogue = kind <= 3;
        s += dialogue ? "\x81\x75" : "\x81\x40";
        const uint32_t chars = dialogue ? 8 + rnd.Below(60) : 20 + rnd.Below(280);
        for (uint32_t i = 0; i < chars; ++i) {
            const uint32_t r = rnd.Below(100);
            if (r < 30) kanji();
            else if (r < 85) hira();
            else if (r < 92) s += "\x81\x41";                         // 、
            else if (r < 96) s += "\x81\x42";                         // 。
            else if (r < 98) s += "\x83\x62";                         // ッ
            else s += rnd.Below(2) ? "Qorix " : "\x81\x49";           // a word or ！
        }
        s += dialogue ? "\x81\x76" : "\x81\x42";
        end();
    }
    return s;
}

const std::string& Novel(size_t mb, bool lineEnds)
{
    static std::map<std::pair<size_t, bool>, std::string> cache;
    auto& s = cache[{mb, lineEnds}];
    if (s.empty()) s = MakeNovel(mb * kMB, lineEnds);
    return s;
}

void SetCounters(benchmark::State& state, size_t bytes)
{
    const double mb = static_cast<double>(bytes) / kMB;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    // The inverted rate of megabytes per second: seconds per MB.
    state.counters["per_MB"] =
        benchmark::Counter(mb, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Split(benchmark::State& state)
{
    const std::string& text = Novel(static_cast<size_t>(state.range(0)), true);
    for (auto _ : state) {
        TStringList lines;
        lines.SetText(text);
        benchmark::DoNotOptimize(lines.Count());
    }
    SetCounters(state, text.size());
}

// What LoadScenario does with a ".txt" file's bytes, short of the disk.
std::vector<std::string> LoadText(const std::string& text)
{
    std::vector<std::string> lines = BreakText(text);
    PadScenarioLines(lines);
    AppendTerminator(lines);
    return ExpandShorthands(std::move(lines));
}

void Load(benchmark::State& state)
{
    const std::string& text = Novel(static_cast<size_t>(state.range(0)), true);
    size_t count = 0;
    for (auto _ : state) {
        auto lines = LoadText(text);
        count = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(count);
    SetCounters(state, text.size());
}

void LoadOneLine(benchmark::State& state)
{
    const std::string& text = Novel(static_cast<size_t>(state.range(0)), false);
    for (auto _ : state) {
        auto lines = LoadText(text);
        benchmark::DoNotOptimize(lines.data());
    }
    SetCounters(state, text.size());
}

// The machine is shared, so each size runs five times and the summary takes
// the least CPU time of the five: the run least disturbed by others.
double Least(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

#define SIZES(b)                                                                                     \
    BENCHMARK(b)->Arg(1)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->Repetitions(5)->DisplayAggregatesOnly(true) \
        ->ComputeStatistics("min", Least)
SIZES(Split);
SIZES(Load);
SIZES(LoadOneLine);

// Keeps the least CPU time per iteration of each benchmark for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::map<int, double>> Times;  // name -> MB -> ms
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Aggregate || r.aggregate_name != "min" || r.error_occurred) continue;
            Times[r.run_name.function_name][std::atoi(r.run_name.args.c_str())] = r.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintGrowth(const Collector& c)
{
    std::printf("\nCPU time per MB (least of five runs) and its growth from one size to the\n"
                "next; 4x the size must take at most 4x the time. Split, which only copies the\n"
                "lines out, shows what the memory system adds as the data outgrow the caches.\n");
    std::printf("%-12s %9s %9s %9s %9s %7s %7s %7s\n", "", "1 MB", "4 MB", "16 MB", "64 MB", "4/1", "16/4", "64/16");
    const int sizes[] = {1, 4, 16, 64};
    for (const char* name : {"Split", "Load", "LoadOneLine"}) {
        if (!c.Times.count(name) || c.Times.at(name).size() != 4) continue;
        const auto& t = c.Times.at(name);
        std::printf("%-12s", name);
        for (int mb : sizes) std::printf(" %6.2f ms", t.at(mb) / mb);
        bool within = true;
        for (int i = 1; i < 4; ++i) {
            const double r = t.at(sizes[i]) / t.at(sizes[i - 1]);
            within = within && r <= 4.0;
            std::printf(" %6.2fx", r);
        }
        std::printf("  %s\n", within ? "at most 4x" : "more than 4x at some step");
    }
}

// ---- Part 2: the player's peak memory ------------------------------------

long ReadKb(pid_t pid, const char* field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(in, line))
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') return std::atol(line.c_str() + n + 1);
    return -1;
}

// Starts the player, waits until ready() holds and its peak has not grown
// for a second and a half, and returns the peak in kB (-1 on failure).
template <class Ready>
long PeakOfPlayer(const std::string& player, const std::vector<std::string>& args, Ready ready)
{
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::vector<char*> argv{const_cast<char*>(player.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) _exit(127);
        ::execv(player.c_str(), argv.data());
        _exit(127);
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long peak = -1, last = -2;
    auto stableSince = Clock::now();
    bool ok = false;
    while (Clock::now() - start < std::chrono::seconds(60)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return -1;  // it ended by itself
        peak = ReadKb(pid, "VmHWM");
        if (peak != last) {
            last = peak;
            stableSince = Clock::now();
        }
        if (ready() && Clock::now() - stableSince > std::chrono::milliseconds(1500)) {
            ok = true;
            break;
        }
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ok ? peak : -1;
}

void MeasurePlayer(const std::string& self)
{
    namespace fs = std::filesystem;
    std::string player = std::getenv("QORIX_PLAYER") ? std::getenv("QORIX_PLAYER") : "";
    if (player.empty()) player = (fs::path(self).parent_path().parent_path() / "qorix").string();
    if (!fs::exists(player)) {
        std::printf("\nPlayer memory: no player at %s (set QORIX_PLAYER)\n", player.c_str());
        return;
    }
    char tmpl[] = "/tmp/qorix-bench-XXXXXX";
    if (!::mkdtemp(tmpl)) return;
    const fs::path dir = tmpl;
    const fs::path copy = dir / "qorix";
    fs::copy_file(player, copy);
    const std::string& text = Novel(16, true);
    const fs::path story = dir / "novel16.txt";
    std::ofstream(story, std::ios::binary) << text;

    const long idle = PeakOfPlayer(copy.string(), {}, [] { return true; });
    const long open = PeakOfPlayer(copy.string(), {story.string()}, [&] { return fs::exists(dir / "novel16.ssv"); });
    const double fileMB = static_cast<double>(text.size()) / kMB;
    std::printf("\nPlayer peak memory (VmHWM of %s, offscreen):\n", player.c_str());
    if (idle < 0 || open < 0) {
        std::printf("  measurement failed (idle %ld kB, open %ld kB)\n", idle, open);
    } else {
        const double extra = (open - idle) / 1024.0;
        std::printf("  no scenario:               %8.1f MB\n", idle / 1024.0);
        std::printf("  %.1f MB text open:          %8.1f MB\n", fileMB, open / 1024.0);
        std::printf("  above no scenario:         %8.1f MB = %.2f x the file (limit 8 x) %s\n", extra, extra / fileMB,
                    extra < 8 * fileMB ? "ok" : "TOO MUCH");
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace

int main(int argc, char** argv)
{
    bool player = true;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-player") == 0) player = false;
        else args.push_back(argv[i]);
    }
    // glibc hands large freed blocks back to the kernel, and takes fresh
    // zeroed pages for the next iteration, only once a run's memory passes a
    // threshold: the 16 MB runs would pay for new pages every iteration while
    // the 1 MB runs reuse theirs. Keeping freed memory in the process measures
    // every size alike. (The player's own peak is measured without this.)
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintGrowth(collector);
    if (player) {
        char self[4096] = {};
        const ssize_t len = ::readlink("/proc/self/exe", self, sizeof self - 1);
        MeasurePlayer(len > 0 ? std::string(self, static_cast<size_t>(len)) : std::string(argv[0]));
    }
    benchmark::Shutdown();
    return 0;
}
