#include "common/fajlvalaszto.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

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

QString MegnyitFajlValaszt(QWidget *szulo, const QString &cim, const QString &tipusok)
{
    if (valaszto())
        return valaszto()(szulo, cim, tipusok);
    return QFileDialog::getOpenFileName(szulo, cim, QString(), tipusok);
}

namespace {

FajlKeresValaszto &keresValaszto()
{
    static FajlKeresValaszto v;
    return v;
}

QString dialogus(QWidget *szulo, const FajlKeres &k)
{
    QFileDialog d(szulo, k.cim, k.kezdet, k.tipusok);
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

}  // namespace

void setFajlKeresValaszto(FajlKeresValaszto v)
{
    keresValaszto() = std::move(v);
}

QString FajlValaszt(QWidget *szulo, const FajlKeres &keres)
{
    QString fajl = keresValaszto() ? keresValaszto()(szulo, keres) : dialogus(szulo, keres);
    // A name typed without an extension gets the default one, whatever
    // dialog the platform shows.
    if (keres.mentes && !fajl.isEmpty() && !keres.kiterjesztes.isEmpty() && QFileInfo(fajl).suffix().isEmpty())
        fajl += QLatin1Char('.') + keres.kiterjesztes;
    return fajl;
}
