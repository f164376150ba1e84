// Pictures: JPEG decoding against djpeg, a full composition, one fade step
// and one pan step.
//
//   cmake -B build -DQORIX_BENCH=ON && cmake --build build --target bench_pictures
//   build/bench/bench_pictures
//
// The decoding benchmarks print vs_djpeg: our processor time divided by the
// processor time djpeg -colors 256 -dither fs needs for the same file (the
// goal is at most 1.1). Processor time, not wall time, because the machine
// is shared and wall times follow its load. djpeg runs as a process; the
// time it needs to start, taken on an 8 x 8 file, is subtracted from its
// time so that only decoding is compared.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <vector>

#include <jpeglib.h>

#include "shell/MainForm.h"
#include "widgets/JpgImg.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

std::string PathOf(const std::string& name) { return Folder().filePath(QString::fromStdString(name)).toStdString(); }

// Something like a photograph: smooth shading, edges and grain.
QImage Photo(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> grain(0.0, 6.0);
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        uchar* row = img.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double u = static_cast<double>(x) / w, v = static_cast<double>(y) / h;
            const double shade = 0.5 + 0.5 * std::sin(6.0 * u + 3.0 * v);
            const bool edge = (static_cast<int>(u * 9) + static_cast<int>(v * 7)) % 3 == 0;
            const double base[3] = {90 + 120 * shade * u, 60 + 150 * v * (edge ? 0.4 : 1.0), 40 + 160 * (1 - shade)};
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = static_cast<uchar>(std::clamp(base[c] + grain(rng), 0.0, 255.0));
        }
    }
    return img;
}

std::string WriteJpeg(const std::string& name, const QImage& picture, int quality = 85)
{
    const QImage img = picture.convertToFormat(QImage::Format_RGB888);
    const std::string path = PathOf(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = static_cast<JDIMENSION>(img.width());
    c.image_height = static_cast<JDIMENSION>(img.height());
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uchar*>(img.constScanLine(static_cast<int>(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
    return path;
}

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec); }

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The least processor time (user and system) of several runs of djpeg on
// the file, in seconds; negative when djpeg does not run.
double DjpegSeconds(const std::string& path, int runs)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const char* argv[] = {"djpeg", "-colors", "256", "-dither", "fs", "-outfile", "/dev/null", path.c_str(), nullptr};
        pid_t pid;
        if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return -1;
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
        best = std::min(best, Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    }
    return best;
}

void BM_DecodeJpeg(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::string path = WriteJpeg("photo" + std::to_string(w) + ".jpg", Photo(w, h, 7));
    const std::string tiny = WriteJpeg("tiny.jpg", Photo(8, 8, 1));
    TJPEGImage jpeg;  // the main window's settings are the construction values
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        jpeg.SetFileName(path);
        benchmark::DoNotOptimize(jpeg.Picture.constBits());
    }
    const double ours = (ThreadCpuSeconds() - start) / static_cast<double>(state.iterations());
    const double djpeg = DjpegSeconds(path, 30), startup = DjpegSeconds(tiny, 30);
    if (djpeg < 0 || startup < 0) {
        state.SkipWithError("djpeg did not run");
        return;
    }
    state.counters["ours_cpu_ms"] = 1000 * ours;
    state.counters["djpeg_cpu_ms"] = 1000 * (djpeg - startup);
    state.counters["djpeg_start_ms"] = 1000 * startup;
    state.counters["vs_djpeg"] = ours / (djpeg - startup);
}
BENCHMARK(BM_DecodeJpeg)->Args({640, 480})->Args({1280, 960})->Unit(benchmark::kMillisecond);

// A sleep service that sleeps not at all and measures the time between two
// waits of the same length: the work of one transition step.
class StepTimer : public ISleeper {
public:
    int StepWait = 0;
    std::vector<double> Steps;
    void Sleep(int ms) override
    {
        const auto now = Clock::now();
        if (ms == StepWait && lastWait_ == StepWait) Steps.push_back(std::chrono::duration<double>(now - last_).count());
        lastWait_ = ms;
        last_ = now;
    }
    void Reset()
    {
        Steps.clear();
        lastWait_ = 0;
    }

private:
    int lastWait_ = 0;
    Clock::time_point last_;
};

StepTimer& Sleeper()
{
    static StepTimer timer;
    return timer;
}

std::unique_ptr<TMainForm> form;  // ends before the application does

TMainForm& Window()
{
    if (!form) {
        Services s;
        s.Sleeper = &Sleeper();
        s.ProgramFolder = Folder().path().toStdString() + "/";
        form = std::make_unique<TMainForm>(s);
        form->show();  // so that the repaints draw
        form->ResetPlayer();
        form->ScenarioFolder = s.ProgramFolder;
    }
    return *form;
}

void SetScene(TMainForm& f)
{
    f.BackPicName = WriteJpeg("back.jpg", Photo(640, 480, 2));
    const char* positions[] = {"l", "c", "r", "c"};
    for (int slot = 1; slot <= 4; ++slot) {
        QImage person = Photo(300, 420, 10u + static_cast<unsigned>(slot));
        for (int y = 300; y < 420; ++y)
            for (int x = 0; x < 80; ++x) person.setPixel(x, y, qRgb(0, 255, 0));
        f.PersonPicName[slot] = WriteJpeg("person" + std::to_string(slot) + ".jpg", person);
        f.PersonPos[slot] = positions[slot - 1];
    }
    f.SubPicName = WriteJpeg("sub.jpg", Photo(100, 100, 3));
    f.FadeColor = "black";
    f.FadeLevel = 2;
    f.TransitionMode = "normal";
}

void BM_ComposeScreen(benchmark::State& state)
{
    TMainForm& f = Window();
    SetScene(f);
    for (auto _ : state) f.ComposeScreen();
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMillisecond);

// One fade-in step: copy, tint and show, between two 220 ms waits.
void BM_FadeStep(benchmark::State& state)
{
    TMainForm& f = Window();
    SetScene(f);
    f.ComposeScreen();
    f.FadeLevel = 1;
    Sleeper().StepWait = 220;
    for (auto _ : state) {
        Sleeper().Reset();
        f.FadeIn(1);
        double sum = 0;
        for (double s : Sleeper().Steps) sum += s;
        state.SetIterationTime(sum / static_cast<double>(Sleeper().Steps.size()));
    }
}
BENCHMARK(BM_FadeStep)->UseManualTime()->Unit(benchmark::kMillisecond);

// One pan step over a 640 x 960 background: window copy and two repaints,
// between two 100 ms waits.
void BM_PanStep(benchmark::State& state)
{
    TMainForm& f = Window();
    SetScene(f);
    f.BackPicName = WriteJpeg("tall.jpg", Photo(640, 960, 4));
    f.SubPicName = "nothing";
    Sleeper().StepWait = 100;
    std::size_t steps = 0;
    for (auto _ : state) {
        Sleeper().Reset();
        f.PanVertical();
        double sum = 0;
        for (double s : Sleeper().Steps) sum += s;
        steps = Sleeper().Steps.size();
        state.SetIterationTime(sum / static_cast<double>(steps));
    }
    state.counters["steps_timed"] = static_cast<double>(steps);
}
BENCHMARK(BM_PanStep)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    form.reset();
    return 0;
}
