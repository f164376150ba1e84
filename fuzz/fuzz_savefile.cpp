// Opening a scenario whose save file holds arbitrary bytes, then loading,
// playing from and saving its bookmarks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TestWindow& t = FuzzWindow();
    TMainForm& f = *t.Form;
    const std::string scenario = "title\r\n**a\r\nline\r\n.w\r\n.?\r\n.. a\r\n.. a\r\n.. nothing\r\n.e\r\n";
    f.ScenarioPath = t.WriteFile("story.snr", scenario);
    t.WriteFile("story.ssv", std::string(reinterpret_cast<const char*>(data), size));
    f.Guarded([&] { f.OpenScenario(); });
    for (int slot = 1; slot <= 3; ++slot) {
        f.Guarded([&] { f.LoadBookmark(slot); });
        if (f.TextLineIndex < 0 || f.TextLineIndex > f.TextLineCount) __builtin_trap();
        if (f.FadeLevel < 1 || f.FadeLevel > 5) __builtin_trap();
        f.Guarded([&] { f.UnlockInput(); f.MbtnClick(); });
        f.Guarded([&] { f.UnlockInput(); f.FormKeyPress('1'); });
        f.Guarded([&] { f.SaveBookmark(slot); });
    }
    return 0;
}
