// A run of the interpreter over an arbitrary scenario, with scripted clicks,
// answers, re-reads and bookmarks. The last bytes of the input are the script.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    TestWindow& t = FuzzWindow();
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
