#include "layout.h"

#include <cctype>
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

LayoutValue LayoutValue::OfNumber(double v)
{
    LayoutValue x;
    x.type = ValueType::Number;
    x.number = v;
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
    return type == o.type && integer == o.integer && number == o.number && text == o.text && font == o.font;
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

#define LQ_PLACEMENT {"Left", ValueType::Integer}, {"Top", ValueType::Integer}, {"Width", ValueType::Integer}, \
    {"Height", ValueType::Integer}, {"TabIndex", ValueType::Integer}

const KeySchema kCommandKeys[] = {LQ_PLACEMENT,
                                  {"Enabled", ValueType::Boolean},
                                  {"Caption", ValueType::Text},
                                  {"Font", ValueType::Font},
                                  {"FirstRun", ValueType::Integer},
                                  {"FontColour", ValueType::Colour},
                                  {"Visible", ValueType::Integer}};
const KeySchema kFormKeys[] = {{"Caption", ValueType::Text}, {"ClientWidth", ValueType::Integer},
                               {"ClientHeight", ValueType::Integer}, {"Font", ValueType::Font}};
const KeySchema kLabelKeys[] = {LQ_PLACEMENT,
                                {"Caption", ValueType::Text},
                                {"Font", ValueType::Font},
                                {"ForeColor", ValueType::Colour},
                                {"Alignment", ValueType::Integer},
                                {"Underline", ValueType::Boolean}};
const KeySchema kPictureKeys[] = {LQ_PLACEMENT, {"BackColor", ValueType::Colour}, {"Font", ValueType::Font}};
const KeySchema kComboKeys[] = {LQ_PLACEMENT, {"BackColor", ValueType::Colour}, {"Font", ValueType::Font}};
const KeySchema kImageKeys[] = {LQ_PLACEMENT, {"Picture", ValueType::Text}};
const KeySchema kShapeKeys[] = {LQ_PLACEMENT, {"BorderColor", ValueType::Colour}};

#undef LQ_PLACEMENT

const ClassSchema kHostClasses[] = {
    {"Form", kFormKeys, sizeof(kFormKeys) / sizeof(KeySchema), true},
    {"Lunaquill.Command", kCommandKeys, sizeof(kCommandKeys) / sizeof(KeySchema), false},
    {"Label", kLabelKeys, sizeof(kLabelKeys) / sizeof(KeySchema), false},
    {"PictureBox", kPictureKeys, sizeof(kPictureKeys) / sizeof(KeySchema), true},
    {"ComboBox", kComboKeys, sizeof(kComboKeys) / sizeof(KeySchema), false},
    {"Image", kImageKeys, sizeof(kImageKeys) / sizeof(KeySchema), false},
    {"Shape", kShapeKeys, sizeof(kShapeKeys) / sizeof(KeySchema), false},
};

const char* TypeName(ValueType t)
{
    switch (t) {
    case ValueType::Integer: return "a whole number";
    case ValueType::Number: return "a number";
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

bool ParseInteger(const std::string& s, long long* v)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    *v = std::strtoll(s.c_str(), &end, 10);
    return *end == '\0' && (std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '-');
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
    case ValueType::Number:
        return ParseDouble(s, &v->number);
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
        long long weight = 0, charset = 0;
        LayoutValue italic;
        if (parts.size() != 4 || !ParseDouble(parts[0], &v->font.size) || !ParseInteger(parts[1], &weight) ||
            !ParseValue(parts[2], ValueType::Boolean, &italic) || !ParseInteger(parts[3], &charset))
            return false;
        v->font.weight = static_cast<int>(weight);
        v->font.italic = italic.integer != 0;
        v->font.charset = static_cast<int>(charset);
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
    case ValueType::Number: return FormatNumber(v.number);
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

const ClassSchema* HostClasses(int* count)
{
    *count = sizeof(kHostClasses) / sizeof(kHostClasses[0]);
    return kHostClasses;
}

LayoutResult ParseLayout(const std::string& text, const ClassSchema* classes, int classCount)
{
    LayoutResult result;
    std::vector<LayoutControl*> open;
    std::vector<const ClassSchema*> openClass;
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
        if (line.empty() || line[0] == '#')
            continue;
        if (line.compare(0, 6, "Begin ") == 0) {
            std::istringstream words(line.substr(6));
            std::string className, name, extra;
            words >> className >> name;
            if (name.empty() || (words >> extra))
                return fail("expected 'Begin <class> <name>'");
            const ClassSchema* schema = nullptr;
            for (int i = 0; i < classCount; ++i)
                if (className == classes[i].className)
                    schema = &classes[i];
            if (!schema)
                return fail("unknown class '" + className + "'");
            if (!openClass.empty() && !openClass.back()->container)
                return fail(std::string(openClass.back()->className) + " cannot hold other controls");
            LayoutControl control;
            control.className = className;
            control.line = number;
            const std::size_t paren = name.find('(');
            if (paren != std::string::npos) {
                long long index = 0;
                if (name.back() != ')' || !ParseInteger(name.substr(paren + 1, name.size() - paren - 2), &index) || index < 0)
                    return fail("bad index in '" + name + "'");
                control.index = static_cast<int>(index);
                name.erase(paren);
            }
            control.name = name;
            std::vector<LayoutControl>& siblings = open.empty() ? result.controls : open.back()->children;
            siblings.push_back(control);
            open.push_back(&siblings.back());
            openClass.push_back(schema);
            continue;
        }
        if (line == "End") {
            if (open.empty())
                return fail("'End' without 'Begin'");
            open.pop_back();
            openClass.pop_back();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            return fail("expected 'Key = value', 'Begin' or 'End'");
        if (open.empty())
            return fail("a property outside any 'Begin' block");
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        const ClassSchema* schema = openClass.back();
        const KeySchema* keySchema = nullptr;
        for (int i = 0; i < schema->keyCount; ++i)
            if (key == schema->keys[i].key)
                keySchema = &schema->keys[i];
        if (!keySchema)
            return fail(std::string(schema->className) + " has no property '" + key + "'");
        if (open.back()->Find(key))
            return fail("'" + key + "' is given twice");
        LayoutValue parsed;
        if (!ParseValue(value, keySchema->type, &parsed))
            return fail("'" + key + "' needs " + TypeName(keySchema->type) + ", found '" + value + "'");
        open.back()->properties.push_back({key, parsed});
    }
    if (!open.empty()) {
        number = open.back()->line;
        return fail("'Begin " + open.back()->className + " " + open.back()->name + "' has no 'End'");
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
