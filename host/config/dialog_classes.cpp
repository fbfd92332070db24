#include "dialog_classes.h"

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

} // namespace

const ClassSchema* HostClasses(int* count)
{
    *count = sizeof(kHostClasses) / sizeof(kHostClasses[0]);
    return kHostClasses;
}
