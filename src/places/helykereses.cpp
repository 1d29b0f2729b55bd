#include "places/helykereses.h"

#include "common/dobozok.h"
#include "data/dataset.h"

#include <QLocale>

QString KeresesiAlak(const QString &szoveg)
{
    return QLocale().toLower(szoveg);
}

namespace {

// The row text before lower-casing: one conversion per row instead of one
// per field.
QString nyersSorSzoveg(const data::DataSet &ds, int sor)
{
    const data::Row ertekek = ds.valuesAt(sor);
    QString szoveg;
    szoveg.reserve(512);
    for (int f = 0; f < ds.fieldCount(); ++f) {
        const QVariant &v = ertekek[f];
        // Texts, most of a row, are taken as they are.
        if (v.typeId() == QMetaType::QString)
            szoveg += *static_cast<const QString *>(v.constData());
        else
            szoveg += data::DataSet::plainText(v, ds.field(f).def);
    }
    return szoveg;
}

// The first row from `sor` on in steps of `lepes` whose text holds `minta`;
// -1 when none.
int elsoTalalat(const data::DataSet &ds, const QString &minta, int sor, int lepes)
{
    const QLocale helyi;
    for (const int n = ds.recordCount(); sor >= 0 && sor < n; sor += lepes)
        if (helyi.toLower(nyersSorSzoveg(ds, sor)).contains(minta))
            return sor;
    return -1;
}

}  // namespace

QString SorSzoveg(const data::DataSet &ds, int sor)
{
    return KeresesiAlak(nyersSorSzoveg(ds, sor));
}

KeresesEredmeny HelyKereses(data::DataSet &ds, const QString &szoveg, KeresesIrany &irany)
{
    const QString minta = KeresesiAlak(szoveg);
    if (minta.isEmpty()) {
        HibaDoboz(QStringLiteral("Add meg a keresendő szöveget!"));
        return KeresesEredmeny::NincsSzoveg;
    }
    int kezdo = ds.currentRow();
    int lepes = 1;
    switch (irany) {
    case KeresesIrany::ElejetolLefele:
        kezdo = 0;
        irany = KeresesIrany::Lefele;
        break;
    case KeresesIrany::Lefele: ++kezdo; break;
    case KeresesIrany::Felfele:
        --kezdo;
        lepes = -1;
        break;
    }
    int talalat = -1;
    {
        // The rows are read where they stand, without moving the current
        // row through them; grids and bound controls hear of the end only.
        data::ControlsDisabled csendben(ds);
        talalat = elsoTalalat(ds, minta, kezdo, lepes);
        ds.setCurrentRow(talalat >= 0 ? talalat : (lepes > 0 ? ds.recordCount() - 1 : 0));
    }
    if (talalat >= 0)
        return KeresesEredmeny::Talalt;
    UzenetDoboz(QStringLiteral("A keresés elérte a tartomány elejét/végét."));
    return KeresesEredmeny::Vege;
}
