// Any /p command line: never a crash or an overflow, and what follows the number cannot change it.
#include "preview/preview_handle.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    const std::int32_t handle = PreviewHandleOf(arguments);
    if (PreviewHandleOf(arguments + "x") != handle)
        std::abort();
    return 0;
}
