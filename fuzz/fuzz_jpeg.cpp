// Decoding arbitrary bytes as a JPEG with the main window's settings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Errors.h"
#include "widgets/JpgImg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TJPEGImage loader;  // the construction values are the window's settings
    const QImage before = loader.Picture;
    try {
        loader.SetData(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
        // A failed decode keeps the picture it had.
        if (!(loader.Picture == before)) __builtin_trap();
    }
    return 0;
}
