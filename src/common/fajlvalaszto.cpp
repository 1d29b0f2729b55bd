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

MentoValaszto &mento()
{
    static MentoValaszto v;
    return v;
}

}  // namespace

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
