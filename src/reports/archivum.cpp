#include "reports/archivum.h"

#include "data/adatmappazar.h"
#include "data/atvitel.h"
#include "data/database.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString tisztaUtvonal(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString zipHibaKodbol(int kod)
{
    zip_error_t e;
    zip_error_init_with_code(&e, kod);
    const QString s = QString::fromLocal8Bit(zip_error_strerror(&e));
    zip_error_fini(&e);
    return s;
}

QString zipHiba(zip_t *za)
{
    return QString::fromLocal8Bit(zip_strerror(za));
}

constexpr QFileDevice::Permissions kSajat = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ReadUser | QFileDevice::WriteUser;
// Free space below this after a failed write means the disk is full.
constexpr qint64 kTeleLemez = 1024 * 1024;
// Room left beside what a restore unpacks: the journal, the other files.
constexpr qint64 kTartalek = 32 * 1024 * 1024;

QString megabajt(qint64 bajt)
{
    return QLocale().toString(double(bajt) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

// The sentence for a write that failed because the disk is full; empty
// when the disk is not full. The system's own text ("Unknown error") is
// often no help then.
QString teleLemez(const QString &utvonal, bool rendszerSzerint = false)
{
    QStorageInfo hely(QFileInfo(utvonal).absolutePath());
    hely.refresh();
    if (!rendszerSzerint && !(hely.isValid() && hely.bytesAvailable() < kTeleLemez))
        return QString();
    return QStringLiteral("Megtelt a lemez (%1), a fájl nem írható: %2")
        .arg(native(hely.isValid() ? hely.rootPath() : QFileInfo(utvonal).absolutePath()), native(utvonal));
}

[[noreturn]] void irasHiba(const QString &utvonal, const QFile &f)
{
    const QString tele = teleLemez(utvonal, f.error() == QFileDevice::ResourceError);
    if (!tele.isEmpty())
        throw data::DbError(tele);
    throw data::DbError(QStringLiteral("A fájl nem írható: %1 (%2)").arg(native(utvonal), f.errorString()));
}

// The files made meanwhile are their owner's only, whatever the umask:
// libzip gives its temporary archive the rights the umask allows.
struct SajatFajlok {
    mode_t regi = ::umask(077);
    ~SajatFajlok() { ::umask(regi); }
};

// An archive being written; dropped unwritten unless closed.
struct ZipIras {
    zip_t *za = nullptr;
    ~ZipIras()
    {
        if (za)
            zip_discard(za);
    }
};

// The files to archive: relative path and full path, in path order so that
// two archives of the same folder list their entries alike.
struct ArchivFajl {
    QString relativ;
    QString teljes;
};

QVector<ArchivFajl> mappaFajljai(const QString &mappa, const QString &kihagy)
{
    QVector<ArchivFajl> fajlok;
    const QDir gyoker(mappa);
    // System: broken links and other special files are listed too, so that
    // they fail loudly below instead of being left out unseen.
    QDirIterator it(mappa, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString teljes = it.next();
        const QFileInfo fi(teljes);
        if (!kihagy.isEmpty() && (tisztaUtvonal(teljes) == kihagy || fi.canonicalFilePath() == kihagy))
            continue;
        // The running copy's lock (and the brief one beside it while a stale
        // lock is taken over) belongs to the run, not to the data.
        if (gyoker.relativeFilePath(teljes).startsWith(QLatin1String(kAdatMappaZarNev)))
            continue;
        if (!fi.isFile())
            throw data::DbError(QStringLiteral("A fájl nem olvasható (nem közönséges fájl vagy hibás "
                                               "hivatkozás): %1").arg(native(teljes)));
        QFile f(teljes);
        if (!f.open(QIODevice::ReadOnly))
            throw data::DbError(QStringLiteral("A fájl nem olvasható: %1 (%2)").arg(native(teljes), f.errorString()));
        fajlok.append({gyoker.relativeFilePath(teljes), teljes});
    }
    std::sort(fajlok.begin(), fajlok.end(),
              [](const ArchivFajl &a, const ArchivFajl &b) { return a.relativ < b.relativ; });
    return fajlok;
}

// The running copy's lock of the data folder goes on in the restored one.
// What the archive may have brought under that name is no live lock.
void zarAtvitele(const QString &regiMappa, const QString &ujMappa)
{
    const QString nev = QString::fromLatin1(kAdatMappaZarNev);
    QFile::remove(QDir(ujMappa).filePath(nev));
    QFile::rename(QDir(regiMappa).filePath(nev), QDir(ujMappa).filePath(nev));
}

// What the writing callbacks of libzip reach.
struct Folyamat {
    const ArchivFolyamat *hivo = nullptr;
    bool megallitva = false;
};

void folyamatJelzes(zip_t *, double resz, void *ud)
{
    auto *f = static_cast<Folyamat *>(ud);
    if (!f->megallitva && !(*f->hivo)(resz))
        f->megallitva = true;
}

int megallitas(zip_t *, void *ud)
{
    return static_cast<Folyamat *>(ud)->megallitva ? 1 : 0;
}

int ujProbaSzam()
{
    static int szam = 0;
    return ++szam;
}

// Opens the database of `mappa` on a connection of its own and checks its
// pages; raises with the engine's message.
void adatbazisProba(const QString &mappa)
{
    data::Database proba(QStringLiteral("visszatoltes_proba_%1").arg(ujProbaSzam()));
    proba.params() << QStringLiteral("PATH=") + mappa;
    proba.open();
    const QString hiba = proba.integrityProblem();
    proba.close();
    if (!hiba.isEmpty())
        throw data::DbError(QStringLiteral("Az adatbázis sérült: %1").arg(hiba));
}

// What the archive's directory says it unpacks to, against what an
// agency's data can be and what the disk beside the data folder holds.
void meretProba(zip_t *za, zip_int64_t n, const QString &hova)
{
    qint64 osszes = 0;
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t allapot;
        if (zip_stat_index(za, zip_uint64_t(i), 0, &allapot) < 0 || !(allapot.valid & ZIP_STAT_SIZE))
            throw data::DbError(QStringLiteral("Az archívum sérült: egy bejegyzésének mérete nem olvasható (%1)")
                                    .arg(zipHiba(za)));
        osszes += qint64(std::min<zip_uint64_t>(allapot.size, zip_uint64_t(kMaxVisszatoltottMeret) + 1));
        if (osszes > kMaxVisszatoltottMeret)
            throw data::DbError(QStringLiteral("Az archívum kicsomagolva több mint %1 GB lenne: ekkora nem lehet "
                                               "egy iroda adatmappája (hibás vagy nem a programmal készült archívum).")
                                    .arg(kMaxVisszatoltottMeret / (1024 * 1024 * 1024)));
    }
    QStorageInfo hely(hova);
    if (hely.isValid() && hely.bytesAvailable() < osszes + kTartalek)
        throw data::DbError(QStringLiteral("Nincs elég szabad hely a lemezen (%1): a kicsomagoláshoz %2 kell, "
                                           "szabad %3.")
                                .arg(native(hely.rootPath()), megabajt(osszes + kTartalek),
                                     megabajt(hely.bytesAvailable())));
}

bool biztonsagosNev(const QString &nev)
{
    if (nev.isEmpty() || nev.startsWith(QLatin1Char('/')) || nev.contains(QLatin1Char('\\'))
        || nev.contains(QLatin1Char(':')))
        return false;
    const QStringList reszek = nev.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return std::none_of(reszek.begin(), reszek.end(),
                        [](const QString &r) { return r == QLatin1String(".."); });
}

}  // namespace

int AdatMappaArchival(const QString &mappa, const QString &zipFajl, const ArchivFolyamat &folyamat)
{
    const QFileInfo mappaInfo(mappa);
    if (!mappaInfo.isDir())
        throw data::DbError(QStringLiteral("Az adatmappa nem található: %1").arg(native(mappa)));
    const QString cel = tisztaUtvonal(zipFajl);
    const QString celValodi = QFileInfo(cel).canonicalFilePath();
    const QVector<ArchivFajl> fajlok = mappaFajljai(mappa, celValodi.isEmpty() ? cel : celValodi);

    // libzip writes a file of its own beside the target and renames it into
    // place only when the whole archive is written: a failure leaves no
    // half archive under the chosen name.
    int kod = 0;
    const SajatFajlok maszk;
    ZipIras iras;
    iras.za = zip_open(QFile::encodeName(cel).constData(), ZIP_CREATE | ZIP_TRUNCATE, &kod);
    if (!iras.za)
        throw data::DbError(QStringLiteral("Az archívum nem hozható létre: %1 (%2)").arg(native(cel), zipHibaKodbol(kod)));

    for (const ArchivFajl &f : fajlok) {
        zip_source_t *forras = zip_source_file(iras.za, QFile::encodeName(f.teljes).constData(), 0, 0);
        if (!forras)
            throw data::DbError(QStringLiteral("A fájl nem olvasható: %1 (%2)").arg(native(f.teljes), zipHiba(iras.za)));
        const zip_int64_t i = zip_file_add(iras.za, f.relativ.toUtf8().constData(), forras,
                                           ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (i < 0) {
            zip_source_free(forras);
            throw data::DbError(QStringLiteral("A fájl nem vehető fel: %1 (%2)").arg(f.relativ, zipHiba(iras.za)));
        }
        if (zip_set_file_compression(iras.za, zip_uint64_t(i), ZIP_CM_DEFLATE, 1) < 0)
            throw data::DbError(zipHiba(iras.za));
    }

    Folyamat allapot;
    if (folyamat) {
        allapot.hivo = &folyamat;
        zip_register_progress_callback_with_state(iras.za, 0.01, folyamatJelzes, nullptr, &allapot);
        zip_register_cancel_callback_with_state(iras.za, megallitas, nullptr, &allapot);
    }
    // The files are read and compressed here.
    if (zip_close(iras.za) < 0) {
        const QString tele = teleLemez(cel, zip_error_code_system(zip_get_error(iras.za)) == ENOSPC);
        if (!allapot.megallitva && !tele.isEmpty())
            throw data::DbError(tele);
        const QString uzenet = allapot.megallitva ? QStringLiteral("Az archiválás megszakítva.") : zipHiba(iras.za);
        throw data::DbError(QStringLiteral("Az archívum nem írható: %1 (%2)").arg(native(cel), uzenet));
    }
    iras.za = nullptr;
    // A file that was there keeps its earlier rights through libzip.
    QFile::setPermissions(cel, kSajat);
    return int(fajlok.size());
}

int KiszolgaloArchival(data::Database &db, const QString &zipFajl, const ArchivFolyamat &folyamat)
{
    // Beside the archive: where it is written, there is room for what goes into it.
    const QFileInfo cel(tisztaUtvonal(zipFajl));
    QTemporaryDir pillanatkep(cel.absolutePath() + QStringLiteral("/.pillanatkep-XXXXXX"));
    if (!pillanatkep.isValid())
        throw data::DbError(QStringLiteral("Nem hozható létre átmeneti mappa az archívum mellett: %1 (%2)")
                                .arg(native(cel.absolutePath()), pillanatkep.errorString()));
    {
        data::Database masolat(QStringLiteral("archiv_pillanatkep_%1").arg(ujProbaSzam()));
        data::openNewDataFolder(masolat, pillanatkep.path());
        data::copyRegister(db, masolat);
        masolat.close();
    }
    return AdatMappaArchival(pillanatkep.path(), zipFajl, folyamat);
}

QStringList ArchivBejegyzesek(const QString &zipFajl)
{
    int kod = 0;
    zip_t *za = zip_open(QFile::encodeName(zipFajl).constData(), ZIP_RDONLY, &kod);
    if (!za)
        throw data::DbError(QStringLiteral("A fájl nem olvasható zip archívumként: %1 (%2)")
                                .arg(native(zipFajl), zipHibaKodbol(kod)));
    QStringList nevek;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        nevek << QString::fromUtf8(zip_get_name(za, zip_uint64_t(i), ZIP_FL_ENC_GUESS));
    zip_discard(za);
    return nevek;
}

// ---- restore ------------------------------------------------------------------

AdatVisszatoltes::AdatVisszatoltes(const QString &adatMappa, const QString &zipFajl)
    : m_adatMappa(adatMappa.isEmpty() ? QString() : tisztaUtvonal(adatMappa)), m_zipFajl(zipFajl)
{
}

AdatVisszatoltes::~AdatVisszatoltes()
{
    takarit();
}

void AdatVisszatoltes::takarit()
{
    if (!m_kicsomagolt.isEmpty())
        QDir(m_kicsomagolt).removeRecursively();
    m_kicsomagolt.clear();
    m_ellenorizve = false;
}

void AdatVisszatoltes::kicsomagol()
{
    int kod = 0;
    zip_t *za = zip_open(QFile::encodeName(m_zipFajl).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &kod);
    if (!za)
        throw data::DbError(QStringLiteral("A fájl nem olvasható zip archívumként: %1 (%2)")
                                .arg(native(m_zipFajl), zipHibaKodbol(kod)));
    std::unique_ptr<zip_t, void (*)(zip_t *)> olvaso(za, zip_discard);

    // Beside the data folder: on its file system, so that it moves into
    // place by a rename. A server's rows are read from wherever it lies.
    const QFileInfo adat(m_adatMappa.isEmpty() ? QDir::temp().filePath(QStringLiteral("nyugvar")) : m_adatMappa);
    QTemporaryDir ideiglenes(adat.absolutePath() + QLatin1Char('/') + adat.fileName()
                             + QStringLiteral(".visszatoltes-XXXXXX"));
    if (!ideiglenes.isValid())
        throw data::DbError(QStringLiteral("Nem hozható létre átmeneti mappa az adatmappa mellett: %1 (%2)")
                                .arg(native(adat.absolutePath()), ideiglenes.errorString()));
    ideiglenes.setAutoRemove(false);
    m_kicsomagolt = ideiglenes.path();
    const QDir cel(m_kicsomagolt);

    const zip_int64_t n = zip_get_num_entries(za, 0);
    meretProba(za, n, adat.absolutePath());
    QByteArray puffer(1 << 16, Qt::Uninitialized);
    for (zip_int64_t i = 0; i < n; ++i) {
        const QString nev = QString::fromUtf8(zip_get_name(za, zip_uint64_t(i), ZIP_FL_ENC_GUESS));
        zip_stat_t allapot;
        zip_stat_index(za, zip_uint64_t(i), 0, &allapot);
        const qint64 mondott = (allapot.valid & ZIP_STAT_SIZE) ? qint64(allapot.size) : 0;
        if (!biztonsagosNev(nev))
            throw data::DbError(QStringLiteral("Az archívum az adatmappán kívülre mutató bejegyzést tartalmaz: %1")
                                    .arg(nev));
        const QString utvonal = cel.filePath(nev);
        if (nev.endsWith(QLatin1Char('/'))) {
            cel.mkpath(nev);
            continue;
        }
        cel.mkpath(QFileInfo(utvonal).path());
        QFile ki(utvonal);
        if (!ki.open(QIODevice::WriteOnly))
            irasHiba(utvonal, ki);
        ki.setPermissions(kSajat);
        qint64 irt = 0;
        zip_file_t *be = zip_fopen_index(za, zip_uint64_t(i), 0);
        if (!be)
            throw data::DbError(QStringLiteral("Az archívum bejegyzése nem olvasható: %1 (%2)").arg(nev, zipHiba(za)));
        zip_int64_t olvasott = 0;
        while ((olvasott = zip_fread(be, puffer.data(), zip_uint64_t(puffer.size()))) > 0) {
            irt += olvasott;
            if (irt > mondott) {
                zip_fclose(be);
                throw data::DbError(QStringLiteral("Az archívum hamis vagy sérült: a(z) %1 bejegyzés többet tartalmaz, "
                                                   "mint amennyit a tartalomjegyzéke mond.").arg(nev));
            }
            if (ki.write(puffer.constData(), olvasott) != olvasott) {
                zip_fclose(be);
                irasHiba(utvonal, ki);
            }
        }
        const QString olvasasiHiba = olvasott < 0 ? QString::fromLocal8Bit(zip_error_strerror(zip_file_get_error(be)))
                                                  : QString();
        zip_fclose(be);
        if (!olvasasiHiba.isEmpty())
            throw data::DbError(QStringLiteral("Az archívum sérült: %1 (%2)").arg(nev, olvasasiHiba));
        if (!ki.flush())
            irasHiba(utvonal, ki);
    }
}

void AdatVisszatoltes::ellenoriz()
{
    takarit();
    try {
        kicsomagol();
        const QFileInfo db(QDir(m_kicsomagolt).filePath(QString::fromLatin1(data::Database::kFileName)));
        if (!db.isFile())
            throw data::DbError(QStringLiteral("Az archívum nem a program adatmappájáról készült: "
                                               "nincs a gyökerében %1.").arg(QLatin1String(data::Database::kFileName)));
        try {
            adatbazisProba(m_kicsomagolt);
        } catch (const data::DbError &e) {
            throw data::DbError(QStringLiteral("Az archívumban lévő adatbázis nem használható: %1").arg(e.message()));
        }
    } catch (...) {
        takarit();
        throw;
    }
    m_ellenorizve = true;
}

void AdatVisszatoltes::csereKiszolgalon(data::Database &db, const QString &elozoArchiv)
{
    if (!m_ellenorizve)
        throw data::DbError(QStringLiteral("Az archívum nincs ellenőrizve."));
    KiszolgaloArchival(db, elozoArchiv);
    {
        data::Database archiv(QStringLiteral("visszatoltes_forras_%1").arg(ujProbaSzam()));
        archiv.params() << QStringLiteral("PATH=") + m_kicsomagolt;
        archiv.open();
        data::replaceRegister(archiv, db);
    }
    takarit();
}

void AdatVisszatoltes::csere(const QString &elozoArchiv)
{
    if (!m_ellenorizve)
        throw data::DbError(QStringLiteral("Az archívum nincs ellenőrizve."));
    const QString mentes = tisztaUtvonal(elozoArchiv);
    // The data folder goes: a copy inside it would go with it.
    if (mentes.startsWith(m_adatMappa + QLatin1Char('/')))
        throw data::DbError(QStringLiteral("A jelenlegi adatok mentése nem kerülhet az adatmappába: %1")
                                .arg(native(mentes)));
    AdatMappaArchival(m_adatMappa, mentes);

    const QString regiAlap = m_adatMappa + QStringLiteral(".regi-")
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    QString regi = regiAlap;
    for (int n = 2; QFileInfo::exists(regi); ++n)
        regi = regiAlap + QStringLiteral("-%1").arg(n);
    // The restored folder takes the rights the data folder has.
    QFile::setPermissions(m_kicsomagolt, QFileInfo(m_adatMappa).permissions());
    QDir dir;
    if (!dir.rename(m_adatMappa, regi))
        throw data::DbError(QStringLiteral("Az adatmappa nem nevezhető át (egy program használja?): %1")
                                .arg(native(m_adatMappa)));
    // The old folder back in its place; where it is when even that fails.
    auto visszaallit = [&] {
        if (dir.rename(regi, m_adatMappa))
            return QStringLiteral("A korábbi adatok visszaálltak.");
        return QStringLiteral("A korábbi adatok nem kerültek vissza, itt vannak: %1").arg(native(regi));
    };
    if (!dir.rename(m_kicsomagolt, m_adatMappa)) {
        const QString hol = visszaallit();
        throw data::DbError(QStringLiteral("A visszatöltött adatok nem helyezhetők az adatmappa helyére: %1\n%2")
                                .arg(native(m_adatMappa), hol));
    }
    try {
        adatbazisProba(m_adatMappa);
    } catch (const data::DbError &e) {
        dir.rename(m_adatMappa, m_kicsomagolt);
        const QString hol = visszaallit();
        throw data::DbError(QStringLiteral("A visszatöltött adatbázis nem nyitható meg: %1\n%2").arg(e.message(), hol));
    }
    m_kicsomagolt.clear();
    m_ellenorizve = false;
    zarAtvitele(regi, m_adatMappa);
    QDir(regi).removeRecursively();
}
