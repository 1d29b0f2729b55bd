#include "reports/engine/qtmeasurer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>

namespace riport {

namespace {

constexpr int kDpi = 1200;
constexpr double kMmPerDot = 25.4 / kDpi;

}  // namespace

QFont qtFont(const Font &font)
{
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

void registerReportFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return;
    for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

QtMeasurer::QtMeasurer() : m_device(1, 1, QImage::Format_RGB32)
{
    registerReportFonts();
    const int dotsPerMeter = qRound(kDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

double QtMeasurer::textWidth(const QString &text, const Font &font) const
{
    return QFontMetricsF(qtFont(font), &m_device).horizontalAdvance(text) * kMmPerDot;
}

double QtMeasurer::lineHeight(const Font &font) const
{
    return QFontMetricsF(qtFont(font), &m_device).height() * kMmPerDot;
}

double QtMeasurer::wrappedHeight(const QString &text, const Font &font, double width) const
{
    const QFontMetricsF fm(qtFont(font), &m_device);
    const QRectF box(0, 0, width / kMmPerDot, 1e7);
    return fm.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text).height() * kMmPerDot;
}

}  // namespace riport
