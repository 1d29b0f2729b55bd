#include "reports/hataroltiro.h"

#include "common/kodlap.h"
#include "data/database.h"
#include "data/dataset.h"
#include "data/formats.h"
#include "data/query.h"
#include "data/table.h"
#include "data/tablewalk.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace hatarolt {

namespace {

constexpr size_t kIrasiDarab = 256 << 10;  // bytes gathered before a write: short writes keep the yields regular
// A table of up to this many rows is read in the engine's own order and its
// lines put in list order in memory (a place list of 50,000 rows is 18 MB).
constexpr int kEgybenSorok = 100000;
constexpr int kBecsloSorok = 1000;  // lines from which the room of the rest is reckoned

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


// The bytes of the file, gathered in a buffer and written a large piece at
// a time into the file being saved.
class Kimenet {
public:
    explicit Kimenet(const QString &nev) : m_f(nev), m_nev(nev)
    {
        novel(kIrasiDarab);
        if (!m_f.open(QIODevice::WriteOnly))
            throw data::DbError(QStringLiteral("A(z) %1 file nem hozható létre: %2").arg(nev, m_f.errorString()));
    }
    // Bytes kept in memory only, growing as needed.
    Kimenet() : m_memoriaban(true) { novel(kIrasiDarab); }

    qsizetype meret() const { return m_n; }
    const char *adat() const { return m_puffer.get(); }
    // Room for `n` bytes in all, taken at once: growing step by step copies
    // what is there each time.
    void elore(qsizetype n)
    {
        if (n > m_kapacitas)
            novel(n);
    }

    void ir(char c)
    {
        if (m_n == m_kapacitas)
            helyet(1);
        m_puffer[m_n++] = c;
    }
    void ir(const char *s, qsizetype n)
    {
        std::memcpy(foglal(n), s, size_t(n));
        m_n += n;
    }
    void ir(const QByteArray &b) { ir(b.constData(), b.size()); }
    // Room for `n` bytes at the end; foglalt() tells how many were used.
    char *foglal(qsizetype n)
    {
        if (m_n + n > m_kapacitas)
            helyet(n);
        return m_puffer.get() + m_n;
    }
    void foglalt(qsizetype n) { m_n += n; }

    // The file takes the old one's place only here, written whole.
    void lezar()
    {
        urit();
        if (!m_f.commit())
            throw data::DbError(QStringLiteral("A(z) %1 file nem írható: %2").arg(m_nev, m_f.errorString()));
    }

private:
    void helyet(qsizetype n)
    {
        if (m_memoriaban) {
            novel(std::max(m_kapacitas * 2, m_n + n));
            return;
        }
        urit();
        if (n > m_kapacitas)
            novel(n);
    }
    // The memory is left as the system gives it: filling it first would
    // touch every page at once, a pause the yields would feel.
    void novel(qsizetype kapacitas)
    {
        std::unique_ptr<char[]> uj(new char[size_t(kapacitas)]);
        if (m_n > 0)
            std::memcpy(uj.get(), m_puffer.get(), size_t(m_n));
        m_puffer = std::move(uj);
        m_kapacitas = kapacitas;
    }
    void urit()
    {
        if (m_n > 0 && m_f.write(m_puffer.get(), m_n) != m_n)
            throw data::DbError(QStringLiteral("A(z) %1 file nem írható: %2").arg(m_nev, m_f.errorString()));
        m_n = 0;
    }

    QSaveFile m_f;  // not committed, it leaves the old file alone
    QString m_nev;
    bool m_memoriaban = false;
    std::unique_ptr<char[]> m_puffer;
    qsizetype m_kapacitas = 0;
    qsizetype m_n = 0;
};

class Kodolo {
public:
    Kodolo() : m_tabla(kodTabla()) {}

    // Appends the bytes of `s`; a character without a byte becomes "?".
    // Returns how many were replaced.
    int ir(Kimenet &ki, QStringView s) const
    {
        // A UTF-16 unit gives at most one byte.
        char *const eleje = ki.foglal(s.size());
        char *p = eleje;
        int csere = 0;
        const qsizetype n = s.size();
        const QChar *c = s.data();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = c[i].unicode();
            if (u < 0x80) {
                *p++ = char(u);
                continue;
            }
            const unsigned char b = m_tabla[u];
            if (b) {
                *p++ = char(b);
                continue;
            }
            *p++ = '?';
            ++csere;
            // A character outside the basic plane is one character.
            if (QChar::isHighSurrogate(u) && i + 1 < n && c[i + 1].isLowSurrogate())
                ++i;
        }
        ki.foglalt(p - eleje);
        return csere;
    }

    QByteArray bajtok(QStringView s) const
    {
        QByteArray b;
        for (const QChar c : s) {
            const char16_t u = c.unicode();
            b.append(u < 0x80 ? char(u) : m_tabla[u] ? char(m_tabla[u]) : '?');
        }
        return b;
    }

private:
    const std::array<unsigned char, 65536> &m_tabla;
};

void ketJegy(char *p, int n)
{
    p[0] = char('0' + n / 10);
    p[1] = char('0' + n % 10);
}

// The program's short date form, "2026.12.09.", written digit by digit.
void datum(Kimenet &ki, const QDate &d, const Kodolo &k, const schema::FieldDef &def)
{
    int ev = 0, ho = 0, nap = 0;
    d.getDate(&ev, &ho, &nap);  // one calendar conversion, not three
    if (ev < 1000 || ev > 9999) {
        k.ir(ki, data::displayText(d, def));
        return;
    }
    char *p = ki.foglal(11);
    ketJegy(p, ev / 100);
    ketJegy(p + 2, ev % 100);
    p[4] = '.';
    ketJegy(p + 5, ho);
    p[7] = '.';
    ketJegy(p + 8, nap);
    p[10] = '.';
    ki.foglalt(11);
}

// What a line needs to know of the data set's fields and the locale.
struct Szerkezet {
    QVector<schema::FieldDef> mezok;
    QByteArray tizedes;     // the locale's decimal separator, encoded
    QByteArray elvalaszto;
    QByteArray jelolo;
};

template <typename Egesz>
void egesz(Kimenet &ki, Egesz i)
{
    char *p = ki.foglal(24);
    ki.foglalt(std::to_chars(p, p + 24, i).ptr - p);
}

// A number as plain text: up to 15 significant digits, the locale's
// decimal separator, no digit grouping.
void szam(Kimenet &ki, double d, const Szerkezet &sz)
{
    // Whole forints are the common case, and far cheaper to write.
    if (std::abs(d) < 1e15 && d == std::trunc(d)) {
        egesz(ki, qlonglong(d));
        return;
    }
    char s[40];
    const char *vege = std::to_chars(s, s + sizeof s, d, std::chars_format::general, 15).ptr;
    for (const char *c = s; c < vege; ++c) {
        if (*c == '.')
            ki.ir(sz.tizedes);
        else
            ki.ir(*c);
    }
}

// Appends a field's value as plain text; returns the characters replaced.
int ertek(Kimenet &ki, const QVariant &v, const schema::FieldDef &def, const Szerkezet &sz, const Kodolo &k)
{
    if (def.type == schema::FieldType::Memo || v.typeId() == QMetaType::QByteArray) {
        ki.ir("BLOB", 4);
        return 0;
    }
    if (!v.isValid() || v.isNull())
        return 0;
    if (def.type == schema::FieldType::Boolean || v.typeId() == QMetaType::Bool) {
        if (v.toBool())
            ki.ir("True", 4);
        else
            ki.ir("False", 5);
        return 0;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        egesz(ki, v.toLongLong());
        return 0;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        egesz(ki, v.toULongLong());
        return 0;
    case QMetaType::Double:
        szam(ki, *static_cast<const double *>(v.constData()), sz);
        return 0;
    case QMetaType::QDate:
        datum(ki, *static_cast<const QDate *>(v.constData()), k, def);
        return 0;
    case QMetaType::QDateTime:
        return k.ir(ki, data::displayText(v, def));
    case QMetaType::QString:
        return k.ir(ki, *static_cast<const QString *>(v.constData()));
    default:
        return k.ir(ki, v.toString());
    }
}

void tetelVeg(Kimenet &ki, const Szerkezet &sz)
{
    ki.ir(sz.jelolo);
    ki.ir(sz.elvalaszto);
}

// One run of the writer: the file being written, the forms of the fields,
// the result so far and the clock of the progress calls.
class Menet {
public:
    Menet(data::DataSet &adatok, const Beallitas &beallitas, const QString &fajl, const Iro::Haladas &haladas,
          int jelzesKozMs, const bool &megallit)
        : m_adatok(adatok), m_ki(fajl), m_haladas(haladas), m_jelzesKozMs(jelzesKozMs), m_megallit(megallit),
          m_jelezve(-jelzesKozMs)
    {
        for (int f = 0; f < m_adatok.fieldCount(); ++f)
            m_sz.mezok << m_adatok.field(f).def;
        m_sz.tizedes = m_k.bajtok(QLocale().decimalPoint());
        m_sz.elvalaszto = m_k.bajtok(beallitas.elvalaszto);
        m_sz.jelolo = m_k.bajtok(beallitas.jelolo);
        m_ora.start();
    }

    void fejlec()
    {
        // A query's columns are headed by their names, as the statement gave
        // them, never by the labels of the tables they are read from.
        const bool lekerdezes = qobject_cast<const data::Query *>(&m_adatok) != nullptr;
        for (int f = 0; f < m_sz.mezok.size(); ++f) {
            m_ki.ir(m_sz.jelolo);
            jegyez(m_k.ir(m_ki, lekerdezes ? m_sz.mezok[f].name : m_sz.mezok[f].title()), 0, f);
            tetelVeg(m_ki, m_sz);
        }
        m_ki.ir("\r\n", 2);
    }

    // A table is read straight from the engine, without the long texts,
    // which stand as "BLOB"; anything else through its own forward walk.
    void sorok()
    {
        data::Table *tabla = data::TableWalk::walkable(m_adatok);
        if (!tabla) {
            data::RowReader olvaso(m_adatok);
            while (olvaso.next() && tovabb(m_e.sorok))
                fajlba([&](int f) -> const QVariant & { return olvaso.values().at(f); });
            olvaso.leave();
            return;
        }
        QVector<int> hosszuSzovegek;
        for (int f = 0; f < m_sz.mezok.size(); ++f)
            if (m_sz.mezok[f].type == schema::FieldType::Memo)
                hosszuSzovegek << f;
        const bool egyben = tabla->recordCount() <= kEgybenSorok;
        data::TableWalk olvaso(*tabla, hosszuSzovegek, egyben);
        if (egyben) {
            egybenRendezve(olvaso);
            return;
        }
        while (olvaso.next() && tovabb(m_e.sorok))
            fajlba([&](int f) -> const QVariant & { return olvaso.value(f); });
        olvaso.leave();
    }

    Eredmeny vege()
    {
        m_ki.lezar();
        if (m_haladas)
            m_haladas(m_e.sorok);
        return m_e;
    }

private:
    // Before each row: the progress (`sorok` done) now and then; false once
    // a stop is asked for.
    bool tovabb(int sorok)
    {
        if (m_haladas && m_ora.elapsed() - m_jelezve >= m_jelzesKozMs) {
            m_haladas(sorok);
            m_jelezve = m_ora.elapsed();
        }
        m_e.megallitva = m_megallit;
        return !m_megallit;
    }

    void jegyez(int csere, int sor, int mezo)
    {
        if (csere == 0)
            return;
        if (m_e.csere == 0) {
            m_e.csereSor = sor;
            m_e.csereMezo = m_sz.mezok[mezo].name;
        }
        m_e.csere += csere;
    }

    // A line into `cel`; the characters replaced are told to `csere`.
    template <typename Ertekek, typename Csere>
    void sor(Kimenet &cel, Ertekek &&ertekek, Csere &&csere)
    {
        for (int f = 0; f < m_sz.mezok.size(); ++f) {
            cel.ir(m_sz.jelolo);
            csere(ertek(cel, ertekek(f), m_sz.mezok[f], m_sz, m_k), f);
            tetelVeg(cel, m_sz);
        }
        cel.ir("\r\n", 2);
    }

    template <typename Ertekek>
    void fajlba(Ertekek &&ertekek)
    {
        sor(m_ki, ertekek, [&](int csere, int f) { jegyez(csere, m_e.sorok + 1, f); });
        ++m_e.sorok;
    }

    // The rows in the engine's order into memory, each row's line where it
    // starts; then the lines in list order into the file.
    void egybenRendezve(data::TableWalk &olvaso)
    {
        const int n = olvaso.rowCount();
        Kimenet sorok;
        QVector<qsizetype> kezdet(n, -1);
        QVector<qsizetype> hossz(n, 0);
        QHash<int, QPair<int, int>> cserek;  // row: characters replaced, the first one's field
        while (olvaso.next() && tovabb(m_e.sorok)) {
            const int r = olvaso.row();
            kezdet[r] = sorok.meret();
            sor(sorok, [&](int f) -> const QVariant & { return olvaso.value(f); }, [&](int csere, int f) {
                if (csere == 0)
                    return;
                QPair<int, int> &c = cserek[r];
                if (c.first == 0)
                    c.second = f;
                c.first += csere;
            });
            hossz[r] = sorok.meret() - kezdet[r];
            // The lines so far tell how much room the rest will need.
            if (++m_e.sorok == kBecsloSorok)
                sorok.elore(sorok.meret() / kBecsloSorok * (n + n / 4));
        }
        // After a stop, the rows before the first one not yet read. The
        // lines gathered stay the progress told meanwhile.
        const int gyujtve = m_e.sorok;
        m_e.sorok = 0;
        const QVariant ures;
        for (int r = 0; r < n && (!m_e.megallitva || kezdet[r] >= 0); ++r) {
            if (!m_e.megallitva && !tovabb(gyujtve))
                break;
            if (kezdet[r] < 0) {
                // Deleted by another program meanwhile: an empty line.
                fajlba([&](int) -> const QVariant & { return ures; });
                continue;
            }
            m_ki.ir(sorok.adat() + kezdet[r], hossz[r]);
            const auto cs = cserek.constFind(r);
            if (cs != cserek.constEnd())
                jegyez(cs->first, m_e.sorok + 1, cs->second);
            ++m_e.sorok;
        }
        olvaso.leaveAt(m_e.megallitva ? m_e.sorok : n);
    }

    data::DataSet &m_adatok;
    const Kodolo m_k;
    Szerkezet m_sz;
    Kimenet m_ki;
    const Iro::Haladas &m_haladas;
    const int m_jelzesKozMs;
    const bool &m_megallit;  // set by a progress call
    Eredmeny m_e;
    QElapsedTimer m_ora;
    qint64 m_jelezve;
};

}  // namespace

Iro::Iro(data::DataSet &adatok, const Beallitas &beallitas) : m_adatok(adatok), m_beallitas(beallitas) {}

Eredmeny Iro::ir(const QString &fajl)
{
    m_megallit = false;
    if (!m_adatok.isOpen())
        throw data::DbError(QStringLiteral("Az adatkészlet nincs megnyitva."));
    Menet menet(m_adatok, m_beallitas, fajl, m_haladas, m_jelzesKozMs, m_megallit);
    menet.fejlec();
    menet.sorok();
    return menet.vege();
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
