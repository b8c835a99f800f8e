#include "Velmora/Model/ColorComponentsModel.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace Velmora {

namespace {

// What a stored component may hold is anything; what is drawn must be a number.
double drawable(float component)
{
    if (std::isnan(component))
        return 0;
    if (std::isinf(component))
        return component > 0 ? 1 : 0;
    return component;
}

QByteArray number(float value)
{
    // JSON has no NaN or infinity: they are kept as null and read back as NaN.
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    // Nine significant digits give back the same float.
    return QByteArray::number(double(value), 'g', 9);
}

} // namespace

ColorComponentsModel ColorComponentsModel::standardRed()
{
    return {255.0f / 255.0f, 59.0f / 255.0f, 48.0f / 255.0f};
}

ColorComponentsModel ColorComponentsModel::fromColor(const QColor &color)
{
    const QColor rgb = color.spec() == QColor::ExtendedRgb ? color : color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF()};
}

QColor ColorComponentsModel::color() const
{
    return QColor::fromRgbF(float(drawable(red)), float(drawable(green)), float(drawable(blue)), 1.0f);
}

QByteArray ColorComponentsModel::encode() const
{
    return "{\"red\":" + number(red) + ",\"green\":" + number(green) + ",\"blue\":" + number(blue) + "}";
}

std::optional<ColorComponentsModel> ColorComponentsModel::decode(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    float values[3];
    const char *keys[3] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        const QJsonValue value = object.value(QLatin1String(keys[i]));
        if (value.isNull())
            values[i] = std::numeric_limits<float>::quiet_NaN();
        else if (value.isDouble())
            values[i] = float(value.toDouble());
        else
            return std::nullopt;
    }
    return ColorComponentsModel{values[0], values[1], values[2]};
}

} // namespace Velmora
