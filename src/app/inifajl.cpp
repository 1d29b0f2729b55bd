#include "app/inifajl.h"

#include "common/kodlap.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The text of a raw line without its line break (and without a byte order
// mark on the first line): UTF-8 when it is valid UTF-8, else Windows-1250.
QString sorSzoveg(const QByteArray &sor)
{
    QByteArray b = sor;
    if (b.startsWith(kBom))
        b.remove(0, kBom.size());
    while (b.endsWith('\n') || b.endsWith('\r'))
        b.chop(1);
    return kodlap::ervenyesUtf8(b) ? QString::fromUtf8(b) : kodlap::dekodol1250(b);
}

// The line break that ends a raw line: "\r\n", "\n" or none.
QByteArray sorTores(const QByteArray &sor)
{
    if (sor.endsWith("\r\n"))
        return QByteArrayLiteral("\r\n");
    return sor.endsWith('\n') ? QByteArrayLiteral("\n") : QByteArray();
}

// "[nev]" (blanks allowed around and inside the brackets).
bool szakaszFej(const QString &sor, QString &nev)
{
    const QString s = sor.trimmed();
    if (!s.startsWith(QLatin1Char('[')))
        return false;
    const int zaro = s.indexOf(QLatin1Char(']'));
    if (zaro < 0)
        return false;
    nev = s.mid(1, zaro - 1).trimmed();
    return true;
}

// "kulcs=ertek"; comment lines (";" or "#") and lines without "=" are none.
bool kulcsSor(const QString &s, QString &kulcs, QString *ertek = nullptr)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))
        || t.startsWith(QLatin1Char('[')))
        return false;
    const int eq = s.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    kulcs = s.left(eq).trimmed();
    if (kulcs.isEmpty())
        return false;
    if (ertek)
        *ertek = s.mid(eq + 1).trimmed();
    return true;
}

bool egyezik(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString sortoresNelkul(const QString &ertek)
{
    QString e = ertek;
    e.replace(QLatin1String("\r\n"), QLatin1String(" "));
    e.replace(QLatin1Char('\r'), QLatin1Char(' '));
    e.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return e;
}

// The text of UTF-16 bytes after their byte order mark; false when they are
// not valid UTF-16 or hold a NUL character (then rather UTF-32 or binary).
bool utf16Szoveg(const QByteArray &bajtok, QStringConverter::Encoding kodolas, QString &szoveg)
{
    if (bajtok.size() % 2 != 0)
        return false;
    QStringDecoder d(kodolas, QStringConverter::Flag::Stateless);
    szoveg = d.decode(bajtok.mid(2));
    return !d.hasError() && !szoveg.contains(QChar(0));
}

}  // namespace

bool IniFajl::betolt(const QString &fajlNev)
{
    m_fajlNev = fajlNev;
    m_hiba.clear();
    m_sorok.clear();
    m_nemOlvashato = false;
    m_kodolas = Kodolas::Utf8;
    QFile f(fajlNev);
    if (!f.exists())
        return true;
    m_nemOlvashato = true;
    if (!f.open(QIODevice::ReadOnly)) {
        m_hiba = f.errorString();
        return false;
    }
    const QByteArray adat = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        m_hiba = f.errorString();
        return false;
    }
    if (!setTartalom(adat))
        return false;
    m_nemOlvashato = false;
    return true;
}

bool IniFajl::ment()
{
    return ment(m_fajlNev);
}

bool IniFajl::ment(const QString &fajlNev)
{
    m_hiba.clear();
    if (fajlNev.isEmpty()) {
        m_hiba = QStringLiteral("Nincs megadva fájlnév.");
        return false;
    }
    if (m_nemOlvashato && fajlNev == m_fajlNev) {
        // What the file holds was never read: writing would lose it.
        m_hiba = QStringLiteral("A fájl nem olvasható be, ezért nem írható felül.");
        return false;
    }
    QSaveFile f(fajlNev);
    if (!f.open(QIODevice::WriteOnly)) {
        m_hiba = f.errorString();
        return false;
    }
    const QByteArray adat = tartalom();
    if (f.write(adat) != adat.size()) {
        m_hiba = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        m_hiba = f.errorString();
        return false;
    }
    m_fajlNev = fajlNev;
    return true;
}

QByteArray IniFajl::tartalom() const
{
    QByteArray b;
    for (const QByteArray &sor : m_sorok)
        b += sor;
    if (m_kodolas != Kodolas::Utf16LE && m_kodolas != Kodolas::Utf16BE)
        return b;
    QStringEncoder e(m_kodolas == Kodolas::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                     QStringConverter::Flag::WriteBom);
    return e.encode(QString::fromUtf8(b));
}

bool IniFajl::setTartalom(const QByteArray &tartalom)
{
    m_sorok.clear();
    m_hiba.clear();
    m_figyelmeztetes.clear();
    m_kodolas = Kodolas::Utf8;
    QByteArray sorok = tartalom;
    if (tartalom.startsWith("\xFF\xFE") || tartalom.startsWith("\xFE\xFF")) {
        const bool le = tartalom.startsWith("\xFF\xFE");
        QString szoveg;
        if (!utf16Szoveg(tartalom, le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, szoveg)) {
            m_hiba = QStringLiteral("A fájl UTF-16 bájtsorrend-jellel kezdődik, de a tartalma nem "
                                    "érvényes UTF-16 szöveg.");
            return false;
        }
        m_kodolas = le ? Kodolas::Utf16LE : Kodolas::Utf16BE;
        sorok = szoveg.toUtf8();
    } else if (tartalom.contains('\0')) {
        m_hiba = QStringLiteral("A fájl kódolása ismeretlen (nullás bájtokat tartalmaz, de nincs "
                                "UTF-16 bájtsorrend-jele).");
        return false;
    } else {
        // A UTF-8 byte order mark says UTF-8 even where a line is not.
        const bool utf8 = tartalom.startsWith(kBom) || kodlap::ervenyesUtf8(tartalom);
        m_kodolas = utf8 ? Kodolas::Utf8 : Kodolas::Windows1250;
    }
    int kezd = 0;
    while (kezd < sorok.size()) {
        const int nl = sorok.indexOf('\n', kezd);
        const int vege = nl < 0 ? sorok.size() : nl + 1;
        m_sorok.append(sorok.mid(kezd, vege - kezd));
        kezd = vege;
    }
    return true;
}

QString IniFajl::szoveg(int sor) const
{
    return sorSzoveg(m_sorok[sor]);
}

QByteArray IniFajl::bajtok(const QString &szoveg, const QString &kulcs)
{
    if (m_kodolas != Kodolas::Windows1250)
        return szoveg.toUtf8();
    QString hiany;
    if (const auto b = kodlap::kodol1250(szoveg, &hiany))
        return *b;
    // Windows-1250 has no byte for the character: rather a file in UTF-8
    // than a value with question marks. Every line keeps its text.
    for (QByteArray &sor : m_sorok)
        sor = sorSzoveg(sor).toUtf8() + sorTores(sor);
    m_kodolas = Kodolas::Utf8;
    m_figyelmeztetes = QStringLiteral("A beállítások fájlja UTF-8 kódolásúvá vált, mert a(z) %1 értékében "
                                      "olyan karakter van („%2”), amely Windows-1250 kódolásban nem írható.")
                           .arg(kulcs, hiany);
    return szoveg.toUtf8();
}

IniFajl::Szakasz IniFajl::keresSzakasz(const QString &nev) const
{
    Szakasz sz;
    QString n;
    for (int i = 0; i < m_sorok.size(); ++i) {
        if (!szakaszFej(szoveg(i), n))
            continue;
        if (sz.fej >= 0) {
            sz.vege = i;
            return sz;
        }
        if (egyezik(n, nev))
            sz.fej = i;
    }
    sz.vege = m_sorok.size();
    return sz;
}

int IniFajl::keresKulcs(const Szakasz &sz, const QString &kulcs) const
{
    if (sz.fej < 0)
        return -1;
    QString k;
    for (int i = sz.fej + 1; i < sz.vege; ++i) {
        if (kulcsSor(szoveg(i), k) && egyezik(k, kulcs))
            return i;
    }
    return -1;
}

bool IniFajl::vanSzakasz(const QString &szakasz) const
{
    return keresSzakasz(szakasz).fej >= 0;
}

bool IniFajl::vanKulcs(const QString &szakasz, const QString &kulcs) const
{
    return keresKulcs(keresSzakasz(szakasz), kulcs) >= 0;
}

QString IniFajl::olvasSzoveg(const QString &szakasz, const QString &kulcs, const QString &alap) const
{
    const int i = keresKulcs(keresSzakasz(szakasz), kulcs);
    if (i < 0)
        return alap;
    QString k, ertek;
    kulcsSor(szoveg(i), k, &ertek);
    return ertek;
}

qint32 IniFajl::olvasEgesz(const QString &szakasz, const QString &kulcs, qint32 alap) const
{
    if (!vanKulcs(szakasz, kulcs))
        return alap;
    bool ok = false;
    const qint32 v = olvasSzoveg(szakasz, kulcs).toInt(&ok, 10);
    return ok ? v : alap;
}

bool IniFajl::olvasLogikai(const QString &szakasz, const QString &kulcs, bool alap) const
{
    return olvasEgesz(szakasz, kulcs, alap ? 1 : 0) != 0;
}

QByteArray IniFajl::sorveg() const
{
    for (const QByteArray &sor : m_sorok) {
        if (sor.endsWith("\r\n"))
            return QByteArrayLiteral("\r\n");
        if (sor.endsWith('\n'))
            return QByteArrayLiteral("\n");
    }
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

void IniFajl::lezar(int sor)
{
    if (sor >= 0 && sor < m_sorok.size() && !m_sorok[sor].endsWith('\n'))
        m_sorok[sor] += sorveg();
}

void IniFajl::irSzoveg(const QString &szakasz, const QString &kulcs, const QString &ertek)
{
    const QByteArray nl = sorveg();
    const QByteArray e = bajtok(sortoresNelkul(ertek), kulcs);
    const Szakasz sz = keresSzakasz(szakasz);

    const int meglevo = keresKulcs(sz, kulcs);
    if (meglevo >= 0) {
        // Keep the key as it is spelled, with its blanks up to the value;
        // only the value changes.
        QByteArray &sor = m_sorok[meglevo];
        const QByteArray vege = sorTores(sor);
        int p = sor.indexOf('=') + 1;
        while (p < sor.size() && (sor[p] == ' ' || sor[p] == '\t'))
            ++p;
        sor = sor.left(p) + e + vege;
        return;
    }

    const QByteArray ujSor = bajtok(kulcs, kulcs) + '=' + e + nl;
    if (sz.fej >= 0) {
        // After the section's last key line (or its header when it has none),
        // so blank lines and comments before the next section stay there.
        int hova = sz.fej;
        QString k;
        for (int i = sz.fej + 1; i < sz.vege; ++i) {
            if (kulcsSor(szoveg(i), k))
                hova = i;
        }
        lezar(hova);
        m_sorok.insert(hova + 1, ujSor);
        return;
    }

    // A new section at the end of the file, after a blank line.
    if (!m_sorok.isEmpty()) {
        lezar(m_sorok.size() - 1);
        if (!szoveg(m_sorok.size() - 1).trimmed().isEmpty())
            m_sorok.append(nl);
    }
    m_sorok.append('[' + bajtok(szakasz, szakasz) + ']' + nl);
    m_sorok.append(ujSor);
}

void IniFajl::irEgesz(const QString &szakasz, const QString &kulcs, qint32 ertek)
{
    irSzoveg(szakasz, kulcs, QString::number(ertek));
}

void IniFajl::irLogikai(const QString &szakasz, const QString &kulcs, bool ertek)
{
    irSzoveg(szakasz, kulcs, ertek ? QStringLiteral("1") : QStringLiteral("0"));
}
