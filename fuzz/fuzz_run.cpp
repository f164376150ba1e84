// A run of the interpreter over an arbitrary scenario, with scripted clicks,
// answers, re-reads and bookmarks. The last bytes of the input are the script.
#include <cstddef>
#include <cstdint>
#include <string>

#include <QImage>

#include "FuzzSupport.h"

namespace {

// Pictures a scenario can name, of the sizes that test the placement, the
// cuts and the pans: a dot, one wider and one taller than the screen, a
// person with a key colour, and a small JPEG.
void WritePictures(const TestWindow& t)
{
    auto save = [&](const char* name, int w, int h, const char* format) {
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7, y * 5, (x + y) % 2 ? 255 : 0));
        img.setPixel(0, h - 1, qRgb(255, 0, 255));
        img.save(QString::fromStdString(t.Folder + name), format);
    };
    save("a.bmp", 1, 1, "BMP");
    save("wide.bmp", 1400, 20, "BMP");
    save("tall.bmp", 20, 1000, "BMP");
    save("p.bmp", 120, 300, "BMP");
    save("p.jpg", 48, 32, "JPG");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    TestWindow& t = FuzzWindow();
    static const bool pictures = (WritePictures(t), true);
    (void)pictures;
    TMainForm& f = *t.Form;
    const size_t scriptLength = std::min<size_t>(data[0] % 24, size - 1);
    const std::string scenario(reinterpret_cast<const char*>(data + 1), size - 1 - scriptLength);
    const uint8_t* script = data + size - scriptLength;
    const bool plainText = data[0] & 0x80;
    f.ScenarioPath = t.WriteFile(plainText ? "story.txt" : "story.snr", scenario);
    f.Guarded([&] { f.OpenScenario(); });
    for (size_t i = 0; i < scriptLength; ++i) {
        f.Guarded([&] {
            switch (script[i] % 9) {
            case 0: case 1: case 2: f.UnlockInput(); f.MbtnClick(); break;
            case 3: f.UnlockInput(); f.FormKeyPress('1'); break;
            case 4: f.UnlockInput(); f.FormKeyPress('2'); break;
            case 5: f.UnlockInput(); f.FormKeyPress('3'); break;
            case 6: if (f.MaeDoc->isEnabled()) f.ShowPrevPage(); break;
            case 7: if (f.Save->isEnabled()) f.SaveBookmark(1 + script[i] / 9 % 3); break;
            case 8: if (f.Load->isEnabled()) f.LoadBookmark(1 + script[i] / 9 % 3); break;
            }
        });
        if (f.TextLineIndex < 0 || f.TextLineIndex > f.TextLineCount) __builtin_trap();
    }
    return 0;
}
