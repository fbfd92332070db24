// Any text given to texgen's script reader: it either fails with a message or gives a well-formed
// script whose text form reads back to the same bytes; the byte reader likewise.
#include "script_text.h"
#include "textures/texture_script.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ScriptReadResult text = ReadTextScript(std::string(reinterpret_cast<const char*>(data), size));
    if (text.ok) {
        if (text.script.size() != ScriptSize(text.script.data()))
            std::abort();
        const ScriptReadResult back = ReadTextScript(FormatTextScript(text.script.data(), "fuzz"));
        if (!back.ok || back.script != text.script)
            std::abort();
    } else if (text.error.empty()) {
        std::abort();
    }
    const ScriptReadResult bytes = ReadByteScript(ByteVector(data, data + size));
    if (bytes.ok != (size > 0 && size >= ScriptSize(data)))
        std::abort();
    return 0;
}
