// Loading an arbitrary file as a bitmap picture.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TestWindow& t = FuzzWindow();
    TMainForm& f = *t.Form;
    const std::string path = t.WriteFile("picture.bmp", std::string(reinterpret_cast<const char*>(data), size));
    f.Guarded([&] { f.LoadPicture(f.BackPic, path); });
    // Compose with it as a background and as a person.
    f.BackPicName = path;
    f.PersonPicName[1] = path;
    f.PersonPos[1] = "r";
    f.Guarded([&] { f.ComposeScreen(); });
    f.PersonPicName[1] = "nothing";
    return 0;
}
