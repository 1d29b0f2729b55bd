#include "data/adatmappazar.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QSysInfo>

namespace {

// Who holds the lock, as far as its file tells.
struct ZarTarto {
    bool ismert = false;  // the file could be read
    qint64 folyamat = 0;
    QString gep;
    QString felhasznalo;  // the system user that made the file
};

ZarTarto zarTarto(const QLockFile &zar)
{
    ZarTarto t;
    t.ismert = zar.getLockInfo(&t.folyamat, &t.gep, nullptr);
    t.felhasznalo = QFileInfo(zar.fileName()).owner();
    return t;
}

// A lock this computer cannot check: another computer's, or one whose file
// tells nothing.
bool nemEllenorizheto(const ZarTarto &t)
{
    return !t.ismert || (!t.gep.isEmpty() && t.gep != QSysInfo::machineHostName());
}

QString figyelmeztetes(const QString &mappa, const QLockFile &zar)
{
    const ZarTarto t = zarTarto(zar);
    QStringList kie;
    if (t.ismert && !t.gep.isEmpty())
        kie << QStringLiteral("számítógép: %1").arg(t.gep);
    if (t.ismert)
        kie << QStringLiteral("folyamat: %1").arg(t.folyamat);
    if (!t.felhasznalo.isEmpty())
        kie << QStringLiteral("felhasználó: %1").arg(t.felhasznalo);

    QString s = QStringLiteral("A(z) „%1” adatmappát a program egy másik példánya már megnyitotta.")
                    .arg(QDir::toNativeSeparators(mappa));
    if (!kie.isEmpty()) {
        QString kieSor = kie.join(QStringLiteral(", "));
        kieSor[0] = kieSor[0].toUpper();
        s += QStringLiteral("\n%1.").arg(kieSor);
    }
    s += QStringLiteral("\n\nEz a példány is elindul, de ugyanazokon az adatokon egyszerre csak egy "
                        "helyen érdemes dolgozni.");
    if (nemEllenorizheto(t))
        s += QStringLiteral("\nHa a másik példány már biztosan nem fut, törölje ezt a fájlt: %1")
                 .arg(QDir::toNativeSeparators(zar.fileName()));
    return s;
}

}  // namespace

AdatMappaZar::AdatMappaZar() = default;

AdatMappaZar::~AdatMappaZar() = default;

QString AdatMappaZar::lefoglal(const QString &mappa)
{
    elenged();
    auto zar = std::make_unique<QLockFile>(QDir(mappa).filePath(QString::fromLatin1(kAdatMappaZarNev)));
    // Held for the whole run: only a vanished process makes it stale, never
    // its age.
    zar->setStaleLockTime(0);
    if (zar->tryLock()) {
        m_zar = std::move(zar);
        return QString();
    }
    // No lock file possible (no right to write, a full disk): nothing to tell.
    if (zar->error() != QLockFile::LockFailedError)
        return QString();
    return figyelmeztetes(mappa, *zar);
}

void AdatMappaZar::elenged()
{
    m_zar.reset();
}

bool AdatMappaZar::foglalt() const
{
    return m_zar && m_zar->isLocked();
}
