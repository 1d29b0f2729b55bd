#include "tools/sqlfajta.h"

#include "common/kodlap.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

bool ures(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

QString lf(QString szoveg)
{
    szoveg.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    szoveg.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return szoveg;
}

[[noreturn]] void hiba(const QString &utvonal, const QString &ok)
{
    throw SqlFajlHiba(utvonal + QStringLiteral(":\r\n") + ok);
}

}  // namespace

bool SqlLekerdezes(const QString &sql)
{
    int eleje = 0;
    while (eleje < sql.size() && ures(sql[eleje]))
        ++eleje;
    // Only the beginning decides, so the rest of a long text is not copied.
    return sql.mid(eleje, 6).toUpper() == QLatin1String("SELECT");
}

SqlFajlHiba::SqlFajlHiba(const QString &uzenet) : std::runtime_error(uzenet.toStdString())
{
}

QString SqlFajlOlvas(const QString &utvonal)
{
    QFile f(utvonal);
    if (!f.open(QIODevice::ReadOnly))
        hiba(utvonal, f.errorString());
    const QByteArray bajtok = f.readAll();
    if (f.error() != QFileDevice::NoError)
        hiba(utvonal, f.errorString());
    // A file written by an editor of this desktop may be UTF-8; a
    // Windows-1250 text with accents is practically never valid UTF-8.
    const bool utf8 = kodlap::ervenyesUtf8(bajtok)
                      && std::any_of(bajtok.begin(), bajtok.end(), [](char b) { return b & 0x80; });
    return lf(utf8 ? QString::fromUtf8(bajtok) : kodlap::dekodol1250(bajtok));
}

void SqlFajlIr(const QString &utvonal, const QString &szoveg)
{
    QString hiany;
    const auto bajtok = kodlap::kodol1250(lf(szoveg).replace(QLatin1Char('\n'), QLatin1String("\r\n")), &hiany);
    if (!bajtok)
        hiba(utvonal, QStringLiteral("A(z) „%1” karakter nem írható Windows-1250 kódlapon.").arg(hiany));
    QSaveFile f(utvonal);
    if (!f.open(QIODevice::WriteOnly) || f.write(*bajtok) != bajtok->size() || !f.commit())
        hiba(utvonal, f.errorString());
}
