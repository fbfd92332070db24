// Any text as a number in Lunaquill.ini: never a crash, blanks and tabs around it change nothing,
// a plain decimal reads as the C library reads it, and a setting is only taken when it fits.
#include "main/settings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    double value = 0, padded = 0;
    const bool ok = ReadNumber(text, &value);
    if (ReadNumber(" \t" + text + "\t ", &padded) != ok || (ok && padded != value))
        std::abort();
    if (ok && text.find('&') == std::string::npos && std::strtod(text.c_str(), nullptr) != value)
        std::abort();
    std::int16_t setting = 7;
    if (LoadNumber(text, &setting)) {
        if (!text.empty() && (!ok || std::floor(value) != setting))
            std::abort();
    } else if (setting != 7 || (ok && std::floor(value) >= -32768.0 && std::floor(value) <= 32767.0)) {
        std::abort();
    }
    return 0;
}
