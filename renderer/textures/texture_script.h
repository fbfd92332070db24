// The texture-script format: byte 0 is the record count N, then N records of 9 bytes, each an opcode
// followed by the parameters P0..P7. P0 names the target (high four bits the layer, low four bits
// the channel), P1 the source layer of a combining operation (high four bits), P7 the random seed.
#pragma once

#include <cstddef>

constexpr std::size_t kRecordSize = 9;

enum class OperationKind { Generator, Filter, Warp, Combiner };

struct Record {
    unsigned char opcode;
    unsigned char p[8];  // P0..P7

    int TargetLayer() const { return p[0] >> 4; }
    int Channel() const { return p[0] & 15; }
    int SourceLayer() const { return p[1] >> 4; }
    unsigned char Seed() const { return p[7]; }
};

Record ReadRecord(const unsigned char* bytes);

// Bytes a well-formed script occupies, from its record count.
std::size_t ScriptSize(const unsigned char* script);

class TextureGenerator;

struct Operation {
    unsigned char opcode;
    const char* name;
    OperationKind kind;
    void (*run)(TextureGenerator& generator, const Record& record);
};

// One of the fourteen operations, by opcode or name.
const Operation* FindOperation(unsigned char opcode);
// Case-insensitive.
const Operation* FindOperation(const char* name);

// Why a record is skipped when run, or null when it runs. Unknown opcodes are skipped; so are
// records naming a layer past the four, or a channel past blue for an operation that writes one.
const char* RecordProblem(const Record& record);
