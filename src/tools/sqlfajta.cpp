#include "tools/sqlfajta.h"

#include "common/kodlap.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
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

bool SqlTobbUtasitas(const QString &sql)
{
    const QStringView s(sql);
    const int n = int(s.size());
    int i = 0;
    // Up to the first semicolon outside a literal, a quoted name or a comment.
    while (i < n && sql[i] != QLatin1Char(';')) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const int zaro = sql.indexOf(c, i + 1);
            i = zaro < 0 ? n : zaro + 1;
        } else if (c == QLatin1Char('[')) {
            const int zaro = sql.indexOf(QLatin1Char(']'), i + 1);
            i = zaro < 0 ? n : zaro + 1;
        } else if (s.mid(i, 2) == u"--") {
            const int zaro = sql.indexOf(QLatin1Char('\n'), i);
            i = zaro < 0 ? n : zaro + 1;
        } else if (s.mid(i, 2) == u"/*") {
            const int zaro = sql.indexOf(QLatin1String("*/"), i + 2);
            i = zaro < 0 ? n : zaro + 2;
        } else {
            ++i;
        }
    }
    for (++i; i < n; ++i)
        if (!ures(sql[i]))
            return true;
    return false;
}

QString SqlHibaSzoveg(const QString &sql, const QString &motorUzenet)
{
    // The engine then tells only "not an error".
    if (SqlTobbUtasitas(sql))
        return QStringLiteral("Egyszerre csak egy SQL utasítás futtatható. Jelölje ki a futtatandót, "
                              "vagy törölje a többit (a pontosvessző utáni részt).");
    return motorUzenet;
}

SqlFajlHiba::SqlFajlHiba(const QString &uzenet) : std::runtime_error(uzenet.toStdString())
{
}

QString SqlFajlOlvas(const QString &utvonal)
{
    const QFileInfo info(utvonal);
    if (info.exists() && !info.isFile())
        hiba(utvonal, QStringLiteral("Nem közönséges fájl (eszköz, csővezeték vagy mappa), nem olvasható be."));
    if (info.size() > kSqlFajlMaxMeret)
        hiba(utvonal, QStringLiteral("A fájl túl nagy (%1 bájt) ahhoz, hogy SQL utasítás legyen; "
                                     "legfeljebb %2 MB-os fájl tölthető be.")
                          .arg(QLocale().toString(info.size()))
                          .arg(kSqlFajlMaxMeret / (1024 * 1024)));
    QFile f(utvonal);
    if (!f.open(QIODevice::ReadOnly))
        hiba(utvonal, f.errorString());
    // A file that grows meanwhile is read no further than the limit.
    const QByteArray bajtok = f.read(kSqlFajlMaxMeret + 1);
    if (f.error() != QFileDevice::NoError)
        hiba(utvonal, f.errorString());
    if (bajtok.size() > kSqlFajlMaxMeret)
        hiba(utvonal, QStringLiteral("A fájl túl nagy ahhoz, hogy SQL utasítás legyen."));
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
