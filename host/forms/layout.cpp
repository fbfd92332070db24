#include "layout.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

LayoutValue LayoutValue::OfInteger(long long v)
{
    LayoutValue x;
    x.type = ValueType::Integer;
    x.integer = v;
    return x;
}

LayoutValue LayoutValue::OfText(const std::string& v)
{
    LayoutValue x;
    x.type = ValueType::Text;
    x.text = v;
    return x;
}

LayoutValue LayoutValue::OfBoolean(bool v)
{
    LayoutValue x;
    x.type = ValueType::Boolean;
    x.integer = v ? 1 : 0;
    return x;
}

LayoutValue LayoutValue::OfColour(std::uint32_t v)
{
    LayoutValue x;
    x.type = ValueType::Colour;
    x.integer = v;
    return x;
}

LayoutValue LayoutValue::OfFont(const FontSpec& v)
{
    LayoutValue x;
    x.type = ValueType::Font;
    x.font = v;
    return x;
}

bool LayoutValue::operator==(const LayoutValue& o) const
{
    return type == o.type && integer == o.integer && text == o.text && font == o.font;
}

const LayoutValue* LayoutControl::Find(const std::string& key) const
{
    for (const LayoutProperty& p : properties)
        if (p.key == key)
            return &p.value;
    return nullptr;
}

void LayoutControl::Set(const std::string& key, const LayoutValue& value)
{
    for (LayoutProperty& p : properties)
        if (p.key == key) {
            p.value = value;
            return;
        }
    properties.push_back({key, value});
}

void LayoutControl::Remove(const std::string& key)
{
    for (std::size_t i = 0; i < properties.size(); ++i)
        if (properties[i].key == key) {
            properties.erase(properties.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

const LayoutControl* LayoutControl::Child(const std::string& childName, int childIndex) const
{
    for (const LayoutControl& c : children)
        if (c.name == childName && c.index == childIndex)
            return &c;
    return nullptr;
}

namespace {

const char* TypeName(ValueType t)
{
    switch (t) {
    case ValueType::Integer: return "a whole number";
    case ValueType::Text: return "a quoted text";
    case ValueType::Boolean: return "True or False";
    case ValueType::Colour: return "a colour (&H00BBGGRR&)";
    case ValueType::Font: return "a font (\"face\", size, weight, italic, charset)";
    }
    return "?";
}

std::string Trim(const std::string& s)
{
    const std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// A whole number in decimal; one too large for the type is refused, not cut to its largest value.
bool ParseInteger(const std::string& s, long long* v)
{
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '-'))
        return false;
    errno = 0;
    char* end = nullptr;
    *v = std::strtoll(s.c_str(), &end, 10);
    return *end == '\0' && errno != ERANGE;
}

// The same for what an int holds: a font's weight and character set, a control's index.
bool ParseInt(const std::string& s, int* v)
{
    long long wide = 0;
    if (!ParseInteger(s, &wide) || wide < INT_MIN || wide > INT_MAX)
        return false;
    *v = static_cast<int>(wide);
    return true;
}

bool ParseDouble(const std::string& s, double* v)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    *v = std::strtod(s.c_str(), &end);
    return *end == '\0' && std::isfinite(*v);
}

// A quoted text at the start of s ("" stands for one quote); *rest gets what follows.
bool ParseQuoted(const std::string& s, std::string* text, std::string* rest)
{
    if (s.empty() || s[0] != '"')
        return false;
    text->clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                text->push_back('"');
                ++i;
                continue;
            }
            *rest = Trim(s.substr(i + 1));
            return true;
        }
        text->push_back(s[i]);
    }
    return false;
}

bool ParseValue(const std::string& s, ValueType type, LayoutValue* v)
{
    v->type = type;
    std::string rest;
    switch (type) {
    case ValueType::Integer:
        return ParseInteger(s, &v->integer);
    case ValueType::Text:
        return ParseQuoted(s, &v->text, &rest) && rest.empty();
    case ValueType::Boolean:
        if (s == "True" || s == "False") {
            v->integer = s == "True" ? 1 : 0;
            return true;
        }
        return false;
    case ValueType::Colour: {
        if (s.size() < 4 || s[0] != '&' || (s[1] != 'H' && s[1] != 'h') || s.back() != '&')
            return false;
        const std::string digits = s.substr(2, s.size() - 3);
        if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        v->integer = static_cast<long long>(std::strtoul(digits.c_str(), nullptr, 16));
        return true;
    }
    case ValueType::Font: {
        if (!ParseQuoted(s, &v->font.face, &rest) || rest.empty() || rest[0] != ',')
            return false;
        std::vector<std::string> parts;
        std::istringstream in(rest.substr(1));
        for (std::string part; std::getline(in, part, ',');)
            parts.push_back(Trim(part));
        LayoutValue italic;
        if (parts.size() != 4 || !ParseDouble(parts[0], &v->font.size) || !ParseInt(parts[1], &v->font.weight) ||
            !ParseValue(parts[2], ValueType::Boolean, &italic) || !ParseInt(parts[3], &v->font.charset))
            return false;
        v->font.italic = italic.integer != 0;
        v->type = ValueType::Font;
        return true;
    }
    }
    return false;
}

std::string FormatNumber(double v)
{
    std::ostringstream out;
    out.precision(15);
    out << v;
    return out.str();
}

std::string Quote(const std::string& s)
{
    std::string q = "\"";
    for (char c : s) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

std::string FormatValue(const LayoutValue& v)
{
    switch (v.type) {
    case ValueType::Integer: return std::to_string(v.integer);
    case ValueType::Text: return Quote(v.text);
    case ValueType::Boolean: return v.integer ? "True" : "False";
    case ValueType::Colour: {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "&H%08lX&", static_cast<unsigned long>(v.integer));
        return hex;
    }
    case ValueType::Font:
        return Quote(v.font.face) + ", " + FormatNumber(v.font.size) + ", " + std::to_string(v.font.weight) + ", " +
               (v.font.italic ? "True" : "False") + ", " + std::to_string(v.font.charset);
    }
    return std::string();
}

void FormatControl(const LayoutControl& c, int depth, std::string& out)
{
    const std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
    out += indent + "Begin " + c.className + " " + c.name;
    if (c.index >= 0)
        out += "(" + std::to_string(c.index) + ")";
    out += "\n";
    for (const LayoutProperty& p : c.properties)
        out += indent + "    " + p.key + " = " + FormatValue(p.value) + "\n";
    for (const LayoutControl& child : c.children)
        FormatControl(child, depth + 1, out);
    out += indent + "End\n";
}

} // namespace


namespace {

// The blocks open at the current line, innermost last.
struct OpenBlocks {
    std::vector<LayoutControl*> controls;
    std::vector<const ClassSchema*> classes;
};

const ClassSchema* FindClass(const std::string& name, const ClassSchema* classes, int classCount)
{
    for (int i = 0; i < classCount; ++i)
        if (name == classes[i].className)
            return &classes[i];
    return nullptr;
}

// A control's name with its index, as in lbl_BGM(2). Returns why it is wrong, or nothing.
std::string ReadName(const std::string& word, LayoutControl* control)
{
    std::string name = word;
    const std::size_t paren = name.find('(');
    if (paren != std::string::npos) {
        int index = 0;
        if (name.back() != ')' || !ParseInt(name.substr(paren + 1, name.size() - paren - 2), &index) || index < 0)
            return "bad index in '" + word + "'";
        control->index = index;
        name.erase(paren);
    }
    if (name.empty())
        return "no name before the index in '" + word + "'";
    control->name = name;
    return std::string();
}

// "Begin <class> <name>": a new control inside the innermost open block (or at the top). Returns
// why the line is wrong, or nothing.
std::string Begin(const std::string& words, int number, const ClassSchema* classes, int classCount,
                  std::vector<LayoutControl>& top, OpenBlocks& open)
{
    std::istringstream in(words);
    std::string className, name, extra;
    in >> className >> name;
    if (name.empty() || (in >> extra))
        return "expected 'Begin <class> <name>'";
    const ClassSchema* schema = FindClass(className, classes, classCount);
    if (!schema)
        return "unknown class '" + className + "'";
    if (!open.classes.empty() && !open.classes.back()->container)
        return std::string(open.classes.back()->className) + " cannot hold other controls";
    LayoutControl control;
    control.className = className;
    control.line = number;
    const std::string badName = ReadName(name, &control);
    if (!badName.empty())
        return badName;
    std::vector<LayoutControl>& siblings = open.controls.empty() ? top : open.controls.back()->children;
    siblings.push_back(control);
    open.controls.push_back(&siblings.back());
    open.classes.push_back(schema);
    return std::string();
}

// "Key = value" for the innermost open control: a key of its class, given once, of the key's type.
std::string Property(const std::string& line, OpenBlocks& open)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return "expected 'Key = value', 'Begin' or 'End'";
    if (open.controls.empty())
        return "a property outside any 'Begin' block";
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    const ClassSchema* schema = open.classes.back();
    const KeySchema* keySchema = nullptr;
    for (int i = 0; i < schema->keyCount; ++i)
        if (key == schema->keys[i].key)
            keySchema = &schema->keys[i];
    if (!keySchema)
        return std::string(schema->className) + " has no property '" + key + "'";
    if (open.controls.back()->Find(key))
        return "'" + key + "' is given twice";
    LayoutValue parsed;
    if (!ParseValue(value, keySchema->type, &parsed))
        return "'" + key + "' needs " + TypeName(keySchema->type) + ", found '" + value + "'";
    open.controls.back()->properties.push_back({key, parsed});
    return std::string();
}

} // namespace

LayoutResult ParseLayout(const std::string& text, const ClassSchema* classes, int classCount)
{
    LayoutResult result;
    OpenBlocks open;
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    auto fail = [&result, &number](const std::string& message) {
        result.error = "line " + std::to_string(number) + ": " + message;
        result.controls.clear();
        return result;
    };
    while (std::getline(lines, raw)) {
        ++number;
        const std::string line = Trim(raw);
        std::string problem;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.compare(0, 6, "Begin ") == 0) {
            problem = Begin(line.substr(6), number, classes, classCount, result.controls, open);
        } else if (line == "End") {
            if (open.controls.empty())
                return fail("'End' without 'Begin'");
            open.controls.pop_back();
            open.classes.pop_back();
        } else {
            problem = Property(line, open);
        }
        if (!problem.empty())
            return fail(problem);
    }
    if (!open.controls.empty()) {
        number = open.controls.back()->line;
        return fail("'Begin " + open.controls.back()->className + " " + open.controls.back()->name + "' has no 'End'");
    }
    result.ok = true;
    return result;
}

std::string FormatLayout(const std::vector<LayoutControl>& controls)
{
    std::string out;
    for (const LayoutControl& c : controls)
        FormatControl(c, 0, out);
    return out;
}

std::vector<const LayoutControl*> InTabOrder(const LayoutControl& container)
{
    std::vector<const LayoutControl*> order;
    for (const LayoutControl& c : container.children)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const LayoutControl* a, const LayoutControl* b) {
        const LayoutValue* x = a->Find("TabIndex");
        const LayoutValue* y = b->Find("TabIndex");
        return x && (!y || x->integer < y->integer);
    });
    return order;
}
