#include "common/ikonok.h"

#include <QIcon>
#include <QStandardPaths>
#include <QStringList>

void IkonTema()
{
    static bool kesz = false;
    if (kesz)
        return;
    kesz = true;
    // Outside a desktop session the platform may not know where icon
    // themes live; the shared data folders hold them.
    QStringList utak = QIcon::themeSearchPaths();
    for (const QString &ut : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                       QStandardPaths::LocateDirectory))
        if (!utak.contains(ut))
            utak << ut;
    QIcon::setThemeSearchPaths(utak);
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    if (QIcon::themeName().isEmpty() || !QIcon::hasThemeIcon(QStringLiteral("document-new")))
        QIcon::setThemeName(QStringLiteral("breeze"));
}

QIcon TemaIkon(const char *nevek)
{
    const QStringList lista = QString::fromUtf8(nevek).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &n : lista)
        if (QIcon::hasThemeIcon(n))
            return QIcon::fromTheme(n);
    return lista.isEmpty() ? QIcon() : QIcon::fromTheme(lista.first());
}
