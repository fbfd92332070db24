// Layout data for the host's forms: which controls a form holds, of which class, and each one's
// persisted properties. A readable text, UTF-8:
//
//   # comment
//   Begin Lunaquill.Command Cmd_Set
//       Left = 4860
//       Caption = "設定"
//       Font = "ＭＳ Ｐゴシック", 9.75, 400, False, 128
//       Enabled = True
//       FontColour = &H00FFFFFF&
//   End
//
// Blocks nest (controls inside a container); a name may carry an index, as in lbl_BGM(2). Each class
// declares the keys it knows and their types, and anything else is an error naming the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FontSpec {
    std::string face;  // UTF-8
    double size = 9.0;
    int weight = 400;
    bool italic = false;
    int charset = 0;

    bool operator==(const FontSpec& o) const
    {
        return face == o.face && size == o.size && weight == o.weight && italic == o.italic && charset == o.charset;
    }
    bool operator!=(const FontSpec& o) const { return !(*this == o); }
};

enum class ValueType { Integer, Text, Boolean, Colour, Font };

struct LayoutValue {
    ValueType type = ValueType::Integer;
    long long integer = 0;  // Integer, Boolean (0 / 1), Colour (0x00BBGGRR)
    std::string text;
    FontSpec font;

    static LayoutValue OfInteger(long long v);
    static LayoutValue OfText(const std::string& v);
    static LayoutValue OfBoolean(bool v);
    static LayoutValue OfColour(std::uint32_t v);
    static LayoutValue OfFont(const FontSpec& v);
    bool operator==(const LayoutValue& o) const;
};

struct LayoutProperty {
    std::string key;
    LayoutValue value;
};

struct LayoutControl {
    std::string className;
    std::string name;
    int index = -1;  // -1: no index
    std::vector<LayoutProperty> properties;
    std::vector<LayoutControl> children;
    int line = 0;

    const LayoutValue* Find(const std::string& key) const;
    void Set(const std::string& key, const LayoutValue& value);
    void Remove(const std::string& key);
    const LayoutControl* Child(const std::string& childName, int childIndex = -1) const;
};

struct KeySchema {
    const char* key;
    ValueType type;
};

struct ClassSchema {
    const char* className;
    const KeySchema* keys;
    int keyCount;
    bool container;
};

struct LayoutResult {
    bool ok = false;
    std::vector<LayoutControl> controls;
    std::string error;  // "line N: ..."
};

// A container's controls in tab order: by TabIndex, then those without one in layout order.
std::vector<const LayoutControl*> InTabOrder(const LayoutControl& container);

LayoutResult ParseLayout(const std::string& text, const ClassSchema* classes, int classCount);
std::string FormatLayout(const std::vector<LayoutControl>& controls);
