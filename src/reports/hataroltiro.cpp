#include "reports/hataroltiro.h"

#include "common/kodlap.h"
#include "data/database.h"
#include "data/dataset.h"
#include "data/formats.h"

#include <QDate>
#include <QElapsedTimer>
#include <QLocale>
#include <QSaveFile>
#include <array>
#include <cmath>

namespace hatarolt {

namespace {

constexpr int kIrasiDarab = 1 << 20;  // bytes gathered before a write

// The code page as a table from UTF-16 unit to byte, built once from the
// decoder, so a value is encoded by indexing instead of a converter call.
// 0 marks a character without a byte (NUL itself is plain ASCII).
const std::array<unsigned char, 65536> &kodTabla()
{
    static const std::array<unsigned char, 65536> tabla = [] {
        std::array<unsigned char, 65536> t{};
        for (int b = 0x80; b <= 0xFF; ++b) {
            const QString c = kodlap::dekodol1250(QByteArray(1, char(b)));
            if (c.size() == 1)
                t[c.at(0).unicode()] = static_cast<unsigned char>(b);
        }
        return t;
    }();
    return tabla;
}

// Where the characters the code page cannot hold were met.
struct Csere {
    int db = 0;
    int sor = -1;
    QString mezo;
};

class Kodolo {
public:
    Kodolo() : m_tabla(kodTabla()) {}

    // Appends the bytes of `s`; a character without a byte becomes "?".
    // Returns how many were replaced.
    int ir(QByteArray &ki, QStringView s) const
    {
        int csere = 0;
        const qsizetype n = s.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = s[i].unicode();
            if (u < 0x80) {
                ki.append(char(u));
                continue;
            }
            const unsigned char b = m_tabla[u];
            if (b) {
                ki.append(char(b));
                continue;
            }
            ki.append('?');
            ++csere;
            // A character outside the basic plane is one character.
            if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate())
                ++i;
        }
        return csere;
    }

private:
    const std::array<unsigned char, 65536> &m_tabla;
};

void ketJegy(QByteArray &ki, int n)
{
    ki.append(char('0' + n / 10));
    ki.append(char('0' + n % 10));
}

// The program's short date form, "2026.12.09.", written digit by digit.
void datum(QByteArray &ki, const QDate &d, const Kodolo &k, const schema::FieldDef &def)
{
    const int ev = d.year();
    if (ev < 1000 || ev > 9999) {
        k.ir(ki, data::displayText(d, def));
        return;
    }
    ketJegy(ki, ev / 100);
    ketJegy(ki, ev % 100);
    ki.append('.');
    ketJegy(ki, d.month());
    ki.append('.');
    ketJegy(ki, d.day());
    ki.append('.');
}

// What a line needs to know of the data set's fields and the locale.
struct Szerkezet {
    QVector<schema::FieldDef> mezok;
    QByteArray tizedes;     // the locale's decimal separator, encoded
    QByteArray elvalaszto;
    QByteArray jelolo;
};

// A number as plain text: up to 15 significant digits, the locale's
// decimal separator, no digit grouping.
void szam(QByteArray &ki, double d, const Szerkezet &sz)
{
    // Whole forints are the common case, and far cheaper to write.
    if (std::abs(d) < 1e15 && d == std::trunc(d)) {
        ki.append(QByteArray::number(qlonglong(d)));
        return;
    }
    QByteArray s = QByteArray::number(d, 'g', 15);
    const qsizetype pont = s.indexOf('.');
    if (pont >= 0)
        s.replace(pont, 1, sz.tizedes);
    ki.append(s);
}

// Appends a field's value as plain text; returns the characters replaced.
int ertek(QByteArray &ki, const QVariant &v, const schema::FieldDef &def, const Szerkezet &sz,
          const Kodolo &k)
{
    if (def.type == schema::FieldType::Memo || v.typeId() == QMetaType::QByteArray) {
        ki.append("BLOB");
        return 0;
    }
    if (!v.isValid() || v.isNull())
        return 0;
    if (def.type == schema::FieldType::Boolean || v.typeId() == QMetaType::Bool) {
        ki.append(v.toBool() ? "True" : "False");
        return 0;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        ki.append(QByteArray::number(v.toLongLong()));
        return 0;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        ki.append(QByteArray::number(v.toULongLong()));
        return 0;
    case QMetaType::Double:
        szam(ki, v.toDouble(), sz);
        return 0;
    case QMetaType::QDate:
        datum(ki, v.toDate(), k, def);
        return 0;
    case QMetaType::QDateTime:
        return k.ir(ki, data::displayText(v, def));
    case QMetaType::QString:
        return k.ir(ki, *static_cast<const QString *>(v.constData()));
    default:
        return k.ir(ki, v.toString());
    }
}

class Fajl {
public:
    explicit Fajl(const QString &nev) : m_f(nev), m_nev(nev)
    {
        if (!m_f.open(QIODevice::WriteOnly))
            throw data::DbError(QStringLiteral("A(z) %1 file nem hozható létre: %2").arg(nev, m_f.errorString()));
        m_puffer.reserve(kIrasiDarab + 4096);
    }

    QByteArray &puffer() { return m_puffer; }

    void uritHaKell()
    {
        if (m_puffer.size() >= kIrasiDarab)
            urit();
    }

    // The file takes the old one's place only here, written whole.
    void lezar()
    {
        urit();
        if (!m_f.commit())
            throw data::DbError(QStringLiteral("A(z) %1 file nem írható: %2").arg(m_nev, m_f.errorString()));
    }

private:
    void urit()
    {
        if (m_f.write(m_puffer) != m_puffer.size())
            throw data::DbError(QStringLiteral("A(z) %1 file nem írható: %2").arg(m_nev, m_f.errorString()));
        m_puffer.clear();
    }

    QSaveFile m_f;  // not committed, it leaves the old file alone
    QString m_nev;
    QByteArray m_puffer;
};

void tetelVeg(QByteArray &ki, const Szerkezet &sz)
{
    ki.append(sz.jelolo);
    ki.append(sz.elvalaszto);
}

}  // namespace

Iro::Iro(data::DataSet &adatok, const Beallitas &beallitas) : m_adatok(adatok), m_beallitas(beallitas) {}

Eredmeny Iro::ir(const QString &fajl)
{
    m_megallit = false;
    if (!m_adatok.isOpen())
        throw data::DbError(QStringLiteral("Az adatkészlet nincs megnyitva."));
    const Kodolo k;
    Szerkezet sz;
    for (int f = 0; f < m_adatok.fieldCount(); ++f)
        sz.mezok << m_adatok.field(f).def;
    k.ir(sz.tizedes, QLocale().decimalPoint());
    k.ir(sz.elvalaszto, m_beallitas.elvalaszto);
    k.ir(sz.jelolo, m_beallitas.jelolo);

    Eredmeny e;
    auto jegyez = [&](int csere, int sor, int mezo) {
        if (csere == 0)
            return;
        if (e.csere == 0) {
            e.csereSor = sor;
            e.csereMezo = sz.mezok[mezo].name;
        }
        e.csere += csere;
    };

    Fajl ki(fajl);
    QByteArray &p = ki.puffer();
    for (int f = 0; f < sz.mezok.size(); ++f) {
        p.append(sz.jelolo);
        jegyez(k.ir(p, sz.mezok[f].title()), 0, f);
        tetelVeg(p, sz);
    }
    p.append("\r\n");

    data::RowReader olvaso(m_adatok);
    QElapsedTimer ora;
    ora.start();
    qint64 jelezve = -m_jelzesKozMs;
    while (olvaso.next()) {
        if (m_haladas && ora.elapsed() - jelezve >= m_jelzesKozMs) {
            m_haladas(e.sorok);
            jelezve = ora.elapsed();
        }
        if (m_megallit) {
            e.megallitva = true;
            break;
        }
        const data::Row &sor = olvaso.values();
        for (int f = 0; f < sz.mezok.size(); ++f) {
            p.append(sz.jelolo);
            jegyez(ertek(p, sor.at(f), sz.mezok[f], sz, k), e.sorok + 1, f);
            tetelVeg(p, sz);
        }
        p.append("\r\n");
        ++e.sorok;
        ki.uritHaKell();
    }
    olvaso.leave();
    ki.lezar();
    if (m_haladas)
        m_haladas(e.sorok);
    return e;
}

QString KeszUzenet(const QString &fajl, const Eredmeny &e)
{
    QString s = fajl + QStringLiteral(" file export kész.");
    if (e.csere > 0) {
        const QString hol = e.csereSor == 0 ? QStringLiteral("a fejlécben") : QStringLiteral("a(z) %1. sorban").arg(e.csereSor);
        s += QStringLiteral("\n%1 karakter nem írható Windows-1250 kódlappal, helyükön \"?\" áll "
                            "(az első %2, a(z) %3 mezőben).")
                 .arg(e.csere)
                 .arg(hol, e.csereMezo);
    }
    return s;
}

}  // namespace hatarolt
