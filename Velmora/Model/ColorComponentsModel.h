#pragma once

#include <QByteArray>
#include <QColor>
#include <QMetaType>

#include <optional>

namespace Velmora {

// A chore's colour as sRGB components; values outside 0...1 (wide gamut) are kept as they are.
struct ColorComponentsModel {
    float red = 0;
    float green = 0;
    float blue = 0;

    // The platform's standard red, resolved for the light appearance.
    static ColorComponentsModel standardRed();
    static ColorComponentsModel fromColor(const QColor &color);
    // Opaque colour for drawing; NaN components draw as 0, others are not clipped.
    QColor color() const;

    // Keyed record {"red":…,"green":…,"blue":…}; decoding needs all three keys.
    QByteArray encode() const;
    static std::optional<ColorComponentsModel> decode(const QByteArray &bytes);

    friend bool operator==(const ColorComponentsModel &, const ColorComponentsModel &) = default;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::ColorComponentsModel)
