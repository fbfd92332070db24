// Any layout text: it is read or refused with a line number; what is read writes out as a text
// that reads back to the same text.
#include "config/dialog_classes.h"
#include "forms/layout.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult read = ParseLayout(std::string(reinterpret_cast<const char*>(data), size), classes, count);
    if (!read.ok) {
        if (read.error.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    const std::string written = FormatLayout(read.controls);
    const LayoutResult again = ParseLayout(written, classes, count);
    if (!again.ok || FormatLayout(again.controls) != written)
        std::abort();
    return 0;
}
