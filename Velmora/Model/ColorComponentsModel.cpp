#include "Velmora/Model/ColorComponentsModel.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstring>
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

// The exact form encode() writes, read without building a JSON document: every chore's
// colour is decoded when the store opens.
static std::optional<ColorComponentsModel> decodeOwnForm(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    float values[3];
    const char *prefixes[3] = {"{\"red\":", ",\"green\":", ",\"blue\":"};
    for (int i = 0; i < 3; ++i) {
        const size_t length = std::strlen(prefixes[i]);
        if (size_t(end - p) < length || std::memcmp(p, prefixes[i], length) != 0)
            return std::nullopt;
        p += length;
        const auto [next, error] = std::from_chars(p, end, values[i]);
        if (error != std::errc() || next == p)
            return std::nullopt;
        p = next;
    }
    if (p + 1 != end || *p != '}')
        return std::nullopt;
    return ColorComponentsModel{values[0], values[1], values[2]};
}

std::optional<ColorComponentsModel> ColorComponentsModel::decode(const QByteArray &bytes)
{
    if (const auto fast = decodeOwnForm(bytes))
        return fast;
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
