#include "common/fajlvalaszto.h"

#include "common/dobozok.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Icons and type names told by the kind of entry and its name alone. The
// platform's provider reads a file's first bytes to learn its type, and a
// special file (/proc/kmsg, a pipe, a device) never answers: the dialog
// froze as soon as such a folder was typed.
class NevSzerintiIkonok : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override
    {
        return icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return QStringLiteral("Mappa");
        if (!info.isFile())
            return QStringLiteral("Különleges fájl");
        return info.suffix().isEmpty() ? QStringLiteral("Fájl") : info.suffix().toUpper() + QStringLiteral(" fájl");
    }
};

FajlValaszto &valaszto()
{
    static FajlValaszto v;
    return v;
}

}  // namespace

void setFajlValaszto(FajlValaszto v)
{
    valaszto() = std::move(v);
}

namespace {

FajlKeresValaszto &keresValaszto()
{
    static FajlKeresValaszto v;
    return v;
}

QString dialogus(QWidget *szulo, const FajlKeres &k)
{
    NevSzerintiIkonok ikonok;
    QFileDialog d(szulo, k.cim, k.kezdet, k.tipusok);
    d.setIconProvider(&ikonok);
    d.setAcceptMode(k.mentes ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(k.mentes ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (k.mentes) {
        d.setDefaultSuffix(k.kiterjesztes);
        const QFileInfo javasolt(k.kezdet);
        if (!javasolt.isDir()) {
            d.setDirectory(javasolt.absolutePath());
            d.selectFile(javasolt.fileName());
        }
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return QString();
    return d.selectedFiles().constFirst();
}

// A device or a pipe is never taken as a document: reading it may not end.
QString kozonsegesFajl(const QString &fajl)
{
    const QFileInfo valasztott(fajl);
    if (fajl.isEmpty() || !valasztott.exists() || valasztott.isFile())
        return fajl;
    HibaDoboz(QStringLiteral("Nem közönséges fájl, nem használható: %1").arg(QDir::toNativeSeparators(fajl)));
    return QString();
}

}  // namespace

void setFajlKeresValaszto(FajlKeresValaszto v)
{
    keresValaszto() = std::move(v);
}

QString FajlValaszt(QWidget *szulo, const FajlKeres &keres)
{
    QString fajl = keresValaszto() ? keresValaszto()(szulo, keres) : dialogus(szulo, keres);
    fajl = kozonsegesFajl(fajl);
    // A name typed without an extension gets the default one, whatever
    // dialog the platform shows.
    if (keres.mentes && !fajl.isEmpty() && !keres.kiterjesztes.isEmpty() && QFileInfo(fajl).suffix().isEmpty())
        fajl += QLatin1Char('.') + keres.kiterjesztes;
    return fajl;
}

QString MegnyitFajlValaszt(QWidget *szulo, const QString &cim, const QString &tipusok)
{
    if (valaszto())
        return valaszto()(szulo, cim, tipusok);
    FajlKeres keres;
    keres.cim = cim;
    keres.tipusok = tipusok;
    return kozonsegesFajl(dialogus(szulo, keres));
}
