#include "app/tfrm_felhasznaloszerkeszt.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/dobozok.h"
#include "data/dataset.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tfrm_FelhasznaloSzerkeszt::Tfrm_FelhasznaloSzerkeszt(SorSzerkeszto &sorok, QWidget *parent)
    : SzerkesztoAblak(sorok, parent)
{
    setObjectName(QStringLiteral("frm_FelhasznaloSzerkeszt"));
    setWindowTitle(QStringLiteral("Felhasználó adatainak szerkesztése"));

    auto sor = [this](const char *nev, int hossz) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nev));
        e->setMaxLength(hossz);
        return e;
    };
    DBEdit1 = sor("DBEdit1", 20);
    DBEdit2 = sor("DBEdit2", 10);
    Edit1 = sor("Edit1", 10);
    JelszoMezo(DBEdit2);
    JelszoMezo(Edit1);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    gombok(btnOK, btnCancel);

    auto *urlap = new QFormLayout;
    urlap->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    urlap->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    urlap->setHorizontalSpacing(12);
    urlap->setVerticalSpacing(8);
    urlap->addRow(VezerloCimke(QStringLiteral("Felhasználó"), DBEdit1, QStringLiteral("Label1")), DBEdit1);
    urlap->addRow(VezerloCimke(QStringLiteral("Jelszó"), DBEdit2, QStringLiteral("Label2")), DBEdit2);
    urlap->addRow(VezerloCimke(QStringLiteral("Jelszó még egyszer"), Edit1, QStringLiteral("Label3")), Edit1);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(btnOK);
    gombsor->addWidget(btnCancel);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 12, 12, 10);
    fo->addLayout(urlap);
    fo->addStretch(1);
    fo->addLayout(gombsor);

    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, Edit1);
    setTabOrder(Edit1, btnOK);
    setTabOrder(btnOK, btnCancel);

    kotes()->bindEdit(DBEdit1, QStringLiteral("felhasznalo"));
    kotes()->bindEdit(DBEdit2, QStringLiteral("jelszo"));

    RogzitettMeret(this, 302, 156);
    KepernyoKozepere(this);
}

Tfrm_FelhasznaloSzerkeszt::~Tfrm_FelhasznaloSzerkeszt() = default;

void Tfrm_FelhasznaloSzerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    Edit1->clear();
    DBEdit1->setFocus(Qt::OtherFocusReason);
}

bool Tfrm_FelhasznaloSzerkeszt::ellenoriz()
{
    const QString jelszo = adatok()->asString(QStringLiteral("jelszo"));
    if (jelszo.isEmpty()) {
        HibaDoboz(QStringLiteral("Hiányos adat megadás"));
        return false;
    }
    if (jelszo != Edit1->text()) {
        HibaDoboz(QStringLiteral("Hibás jelszó megadás"));
        return false;
    }
    return true;
}
