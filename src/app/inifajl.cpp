#include "app/inifajl.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The text of a raw line without its line break (and without a byte order
// mark on the first line).
QString sorSzoveg(const QByteArray &sor)
{
    QByteArray b = sor;
    if (b.startsWith(kBom))
        b.remove(0, kBom.size());
    while (b.endsWith('\n') || b.endsWith('\r'))
        b.chop(1);
    return QString::fromUtf8(b);
}

// "[nev]" (blanks allowed around and inside the brackets).
bool szakaszFej(const QByteArray &sor, QString &nev)
{
    const QString s = sorSzoveg(sor).trimmed();
    if (!s.startsWith(QLatin1Char('[')))
        return false;
    const int zaro = s.indexOf(QLatin1Char(']'));
    if (zaro < 0)
        return false;
    nev = s.mid(1, zaro - 1).trimmed();
    return true;
}

// "kulcs=ertek"; comment lines (";" or "#") and lines without "=" are none.
bool kulcsSor(const QByteArray &sor, QString &kulcs, QString *ertek = nullptr)
{
    const QString s = sorSzoveg(sor);
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

QByteArray sortoresNelkul(const QString &ertek)
{
    QString e = ertek;
    e.replace(QLatin1String("\r\n"), QLatin1String(" "));
    e.replace(QLatin1Char('\r'), QLatin1Char(' '));
    e.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return e.toUtf8();
}

}  // namespace

bool IniFajl::betolt(const QString &fajlNev)
{
    m_fajlNev = fajlNev;
    m_hiba.clear();
    m_sorok.clear();
    QFile f(fajlNev);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        m_hiba = f.errorString();
        return false;
    }
    setTartalom(f.readAll());
    if (f.error() != QFileDevice::NoError) {
        m_hiba = f.errorString();
        m_sorok.clear();
        return false;
    }
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
    return b;
}

void IniFajl::setTartalom(const QByteArray &tartalom)
{
    m_sorok.clear();
    int kezd = 0;
    while (kezd < tartalom.size()) {
        const int nl = tartalom.indexOf('\n', kezd);
        const int vege = nl < 0 ? tartalom.size() : nl + 1;
        m_sorok.append(tartalom.mid(kezd, vege - kezd));
        kezd = vege;
    }
}

IniFajl::Szakasz IniFajl::keresSzakasz(const QString &nev) const
{
    Szakasz sz;
    QString n;
    for (int i = 0; i < m_sorok.size(); ++i) {
        if (!szakaszFej(m_sorok[i], n))
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
        if (kulcsSor(m_sorok[i], k) && egyezik(k, kulcs))
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
    kulcsSor(m_sorok[i], k, &ertek);
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
    const QByteArray e = sortoresNelkul(ertek);
    const Szakasz sz = keresSzakasz(szakasz);

    const int meglevo = keresKulcs(sz, kulcs);
    if (meglevo >= 0) {
        // Keep the key as it is spelled, with its blanks up to the value;
        // only the value changes.
        QByteArray &sor = m_sorok[meglevo];
        QByteArray vege;
        if (sor.endsWith("\r\n"))
            vege = QByteArrayLiteral("\r\n");
        else if (sor.endsWith('\n'))
            vege = QByteArrayLiteral("\n");
        int p = sor.indexOf('=') + 1;
        while (p < sor.size() && (sor[p] == ' ' || sor[p] == '\t'))
            ++p;
        sor = sor.left(p) + e + vege;
        return;
    }

    const QByteArray ujSor = kulcs.toUtf8() + '=' + e + nl;
    if (sz.fej >= 0) {
        // After the section's last key line (or its header when it has none),
        // so blank lines and comments before the next section stay there.
        int hova = sz.fej;
        QString k;
        for (int i = sz.fej + 1; i < sz.vege; ++i) {
            if (kulcsSor(m_sorok[i], k))
                hova = i;
        }
        lezar(hova);
        m_sorok.insert(hova + 1, ujSor);
        return;
    }

    // A new section at the end of the file, after a blank line.
    if (!m_sorok.isEmpty()) {
        lezar(m_sorok.size() - 1);
        if (!sorSzoveg(m_sorok.last()).trimmed().isEmpty())
            m_sorok.append(nl);
    }
    m_sorok.append('[' + szakasz.toUtf8() + ']' + nl);
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
