#include "settings.h"

#include "render/sizes.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace gf {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kMaximized = QStringLiteral("window/maximized");
const QString kFullScreen = QStringLiteral("window/fullScreen");
const QString kZoom = QStringLiteral("view/zoom");
const QString kVolume = QStringLiteral("sound/volume");
const QString kMuted = QStringLiteral("sound/muted");

// Only the words QSettings writes count; "banana" would otherwise read as true.
bool readBool(QSettings& settings, const QString& key, bool fallback) {
    const QString word = settings.value(key).toString();
    if (word == QLatin1String("true")) return true;
    if (word == QLatin1String("false")) return false;
    return fallback;
}

int readInt(QSettings& settings, const QString& key, int low, int high, int fallback) {
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

} // namespace

WindowSettings readSettings(QSettings& settings) {
    WindowSettings values;
    const QVariant geometry = settings.value(kGeometry);
    if (geometry.typeId() == QMetaType::QRect) {
        const QRect rect = geometry.toRect();
        // A window larger than any screen is nonsense; the window would not fit its panel.
        constexpr int kLargest = 1 << 15;
        if (rect.isValid() && rect.width() < kLargest && rect.height() < kLargest &&
            std::abs(rect.x()) < kLargest && std::abs(rect.y()) < kLargest)
            values.geometry = rect;
    }
    values.maximized = readBool(settings, kMaximized, false);
    values.fullScreen = readBool(settings, kFullScreen, false);
    values.zoom = readInt(settings, kZoom, kMinZoom, kMaxZoom, 0);
    values.volume = readInt(settings, kVolume, 0, 100, 100);
    values.muted = readBool(settings, kMuted, false);
    return values;
}

void writeSettings(QSettings& settings, const WindowSettings& values) {
    if (values.geometry.isValid()) settings.setValue(kGeometry, values.geometry);
    settings.setValue(kMaximized, values.maximized);
    settings.setValue(kFullScreen, values.fullScreen);
    settings.setValue(kZoom, values.zoom);
    settings.setValue(kVolume, values.volume);
    settings.setValue(kMuted, values.muted);
    settings.sync();
}

int zoomForScreen(QSize screen) {
    const double across = screen.width() / 1920.0, down = screen.height() / 1080.0;
    return std::clamp(static_cast<int>(std::lround(std::min(across, down))), kMinZoom, kMaxZoom);
}

} // namespace gf
