#include "common/fajlvalaszto.h"

#include <QFileDialog>

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

FajlDialogValaszto &dialogValaszto()
{
    static FajlDialogValaszto v;
    return v;
}

MentoValaszto &mento()
{
    static MentoValaszto v;
    return v;
}

}  // namespace

void setFajlDialogValaszto(FajlDialogValaszto v)
{
    dialogValaszto() = std::move(v);
}

QString FajlDialog(QWidget *szulo, const FajlDialogKeres &keres)
{
    if (dialogValaszto())
        return dialogValaszto()(szulo, keres);
    QFileDialog d(szulo, keres.cim, keres.mappa, keres.tipusok);
    d.setAcceptMode(keres.mentes ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(keres.mentes ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Saving replaces a file without asking.
    if (keres.mentes)
        d.setOption(QFileDialog::DontConfirmOverwrite);
    d.setDefaultSuffix(keres.kiterjesztes);
    if (!keres.javasoltNev.isEmpty())
        d.selectFile(keres.javasoltNev);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return QString();
    return d.selectedFiles().constFirst();
}

void setMentoValaszto(MentoValaszto v)
{
    mento() = std::move(v);
}

QString MentFajlValaszt(QWidget *szulo, const QString &cim, const QString &tipusok, const QString &javasolt,
                        const QString &kiterjesztes)
{
    if (mento())
        return mento()(szulo, cim, tipusok, javasolt);
    QFileDialog d(szulo, cim, javasolt, tipusok);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontConfirmOverwrite);
    d.setDefaultSuffix(kiterjesztes);
    if (!javasolt.isEmpty())
        d.selectFile(javasolt);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().constFirst()
                                                                          : QString();
}
