// Texture scripts as files: the raw byte form the renderer embeds, and a readable text form with
// one record per line (operation name or opcode number, then P0..P7; '#' starts a comment).
#pragma once

#include <string>
#include <vector>

using ByteVector = std::vector<unsigned char>;

struct ScriptReadResult {
    bool ok = false;
    ByteVector script;                  // well-formed: 1 + 9 * N bytes
    std::string error;                  // names the line or byte offset
    std::vector<std::string> warnings;  // records the interpreter will skip, trailing bytes
};

// Bytes that contain anything but printable ASCII and line white space are taken as the byte form.
bool LooksLikeByteScript(const ByteVector& data);

ScriptReadResult ReadByteScript(const ByteVector& data);
ScriptReadResult ReadTextScript(const std::string& text);

// The text form of a well-formed script; ReadTextScript gives the same bytes back.
std::string FormatTextScript(const unsigned char* script, const std::string& title);
