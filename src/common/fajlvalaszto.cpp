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
