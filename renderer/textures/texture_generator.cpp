#include "texture_generator.h"

#include "maths.h"

#include <cstdlib>
#include <cstring>
#include <new>

TextureGenerator::TextureGenerator() : m_spot(nullptr), m_spotWidth(-1)
{
    for (int i = 0; i < kLayerCount; ++i) {
        m_layers[i] = new Rgb[kLayerPixels + 1];  // one spare pixel for four-byte stores
        m_written[i] = false;
    }
}

TextureGenerator::~TextureGenerator()
{
    for (Rgb* layer : m_layers)
        delete[] layer;
    delete[] m_spot;
}

void TextureGenerator::Run(const unsigned char* script, std::size_t size)
{
    for (int i = 0; i < kLayerCount; ++i) {
        if (m_written[i])
            std::memset(static_cast<void*>(m_layers[i]), 0, sizeof(Rgb) * kLayerPixels);
        m_written[i] = false;
    }
    if (size == 0)
        return;

    const std::size_t count = script[0];
    const unsigned char* next = script + 1;
    for (std::size_t i = 0; i < count && (i + 1) * kRecordSize < size; ++i, next += kRecordSize) {
        const Record record = ReadRecord(next);
        std::srand(record.Seed());
        const Operation* operation = FindOperation(record.opcode);
        if (operation && !RecordProblem(record))
            operation->run(*this, record);
    }
}

const unsigned char* TextureGenerator::SpotTable(unsigned char width)
{
    if (!m_spot)
        m_spot = new unsigned char[kLayerPixels];
    if (m_spotWidth != width) {
        m_spotWidth = width;
        for (int y = 0; y < kLayerSide; ++y) {
            for (int x = 0; x < kLayerSide; ++x) {
                const int dx = x - 128;
                const int dy = y - 128;
                const long double d = SqrtF(static_cast<float>(dx * dx + dy * dy));
                const int t = static_cast<int>(2 * d * (width / 255.0));
                m_spot[y * kLayerSide + x] = static_cast<unsigned char>(Clamp(255 - t, 0, 255));
            }
        }
    }
    return m_spot;
}

TextureImage* TextureGenerator::Image(const unsigned char* script)
{
    Run(script, ScriptSize(script));
    TextureImage* image = new (std::nothrow) TextureImage;
    if (!image)
        return nullptr;
    image->width = kLayerSide;
    image->height = kLayerSide;
    image->pixels = new (std::nothrow) unsigned char[kLayerPixels * 3];
    if (!image->pixels) {
        delete image;
        return nullptr;
    }
    std::memcpy(image->pixels, Layer(0), kLayerPixels * 3);
    return image;
}
