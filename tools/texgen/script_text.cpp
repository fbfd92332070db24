#include "script_text.h"

#include "textures/texture_script.h"

#include <cctype>
#include <sstream>

namespace {

const std::size_t kMaxRecords = 255;

std::string RecordWarning(const Record& record, std::size_t index, const std::string& where)
{
    const char* problem = RecordProblem(record);
    if (!problem)
        return std::string();
    return "record " + std::to_string(index + 1) + " (" + where + "): " + problem + "; it will be skipped";
}

// A whole token as a number: optional minus, then decimal digits, or 0x and hexadecimal digits.
// Values are capped so that huge numbers still read as "outside 0..255" rather than overflow.
bool ParseNumber(const std::string& token, long* value)
{
    std::size_t i = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (negative)
        ++i;
    int base = 10;
    if (token.size() > i + 2 && token[i] == '0' && (token[i + 1] == 'x' || token[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= token.size())
        return false;
    long v = 0;
    for (; i < token.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(token[i]));
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        v = v * base + digit;
        if (v > 1000000)
            v = 1000000;
    }
    *value = negative ? -v : v;
    return true;
}

std::string Hex(std::size_t n)
{
    std::ostringstream out;
    out << "0x" << std::hex << n;
    return out.str();
}

} // namespace

bool LooksLikeByteScript(const ByteVector& data)
{
    for (unsigned char c : data)
        if (!(c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F)))
            return true;
    return data.empty();
}

ScriptReadResult ReadByteScript(const ByteVector& data)
{
    ScriptReadResult result;
    if (data.empty()) {
        result.error = "empty byte script: byte 0 (the record count) is missing";
        return result;
    }
    const std::size_t count = data[0];
    const std::size_t needed = 1 + kRecordSize * count;
    if (data.size() < needed) {
        const std::size_t whole = (data.size() - 1) / kRecordSize;
        const std::size_t offset = 1 + kRecordSize * whole;
        result.error = "truncated byte script: the record count " + std::to_string(count) + " needs " +
                       std::to_string(needed) + " bytes but there are " + std::to_string(data.size()) +
                       "; record " + std::to_string(whole + 1) + " at byte offset " + std::to_string(offset) +
                       " (" + Hex(offset) + ") is cut off";
        return result;
    }
    if (data.size() > needed)
        result.warnings.push_back(std::to_string(data.size() - needed) + " bytes after the last record (from byte offset " +
                                  std::to_string(needed) + ") are ignored");
    result.script.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(needed));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = 1 + kRecordSize * i;
        const std::string w = RecordWarning(ReadRecord(&result.script[offset]), i, "byte offset " + std::to_string(offset));
        if (!w.empty())
            result.warnings.push_back(w);
    }
    result.ok = true;
    return result;
}

ScriptReadResult ReadTextScript(const std::string& text)
{
    ScriptReadResult result;
    result.script.push_back(0);
    std::istringstream lines(text);
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        const std::string where = "line " + std::to_string(lineNumber);
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> tokens;
        for (std::string token; words >> token;)
            tokens.push_back(token);
        if (tokens.empty())
            continue;

        long opcode = 0;
        if (const Operation* named = FindOperation(tokens[0].c_str())) {
            opcode = named->opcode;
        } else if (!ParseNumber(tokens[0], &opcode)) {
            result.error = where + ": unknown operation '" + tokens[0] + "'";
            return result;
        } else if (opcode < 0 || opcode > 255) {
            result.error = where + ": opcode " + tokens[0] + " is outside 0..255";
            return result;
        }
        if (tokens.size() != 9) {
            result.error = where + ": expected 8 parameters (P0..P7) after '" + tokens[0] + "', found " +
                           std::to_string(tokens.size() - 1);
            return result;
        }
        if (result.script[0] == kMaxRecords) {
            result.error = where + ": more than " + std::to_string(kMaxRecords) + " records";
            return result;
        }
        ByteVector record{static_cast<unsigned char>(opcode)};
        for (int p = 0; p < 8; ++p) {
            long value = 0;
            const std::string& token = tokens[static_cast<std::size_t>(p) + 1];
            if (!ParseNumber(token, &value)) {
                result.error = where + ": parameter P" + std::to_string(p) + " '" + token + "' is not a number";
                return result;
            }
            if (value < 0 || value > 255) {
                result.error = where + ": parameter P" + std::to_string(p) + " is " + token + ", outside 0..255";
                return result;
            }
            record.push_back(static_cast<unsigned char>(value));
        }
        const std::string w = RecordWarning(ReadRecord(record.data()), result.script[0], where);
        if (!w.empty())
            result.warnings.push_back(w);
        result.script.insert(result.script.end(), record.begin(), record.end());
        ++result.script[0];
    }
    result.ok = true;
    return result;
}

std::string FormatTextScript(const unsigned char* script, const std::string& title)
{
    std::ostringstream out;
    const std::size_t count = script[0];
    out << "# " << title << ": " << count << (count == 1 ? " record" : " records") << "\n";
    out << "# P0 = layer * 16 + channel (0 red, 1 green, 2 blue); P7 = random seed\n";
    out << "# operation    P0  P1  P2  P3  P4  P5  P6  P7\n";
    for (std::size_t i = 0; i < count; ++i) {
        const Record r = ReadRecord(script + 1 + kRecordSize * i);
        const Operation* operation = FindOperation(r.opcode);
        std::string name = operation ? operation->name : std::to_string(r.opcode);
        name.resize(name.size() < 12 ? 12 : name.size(), ' ');
        out << name;
        for (unsigned char p : r.p) {
            const std::string v = std::to_string(p);
            out << std::string(4 - v.size(), ' ') << v;
        }
        out << "\n";
    }
    return out.str();
}
