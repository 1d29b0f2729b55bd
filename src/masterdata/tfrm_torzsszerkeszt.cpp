#include "masterdata/tfrm_torzsszerkeszt.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "masterdata/torzsleiras.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tfrm_TorzsSzerkeszt::Tfrm_TorzsSzerkeszt(SorSzerkeszto &sorok, const TorzsLeiras &leiras, QWidget *parent)
    : SzerkesztoAblak(sorok, parent)
{
    setObjectName(leiras.szerkesztoOsztaly);
    setWindowTitle(leiras.szerkesztoCim);

    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    gombok(btnOK, btnCancel);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(btnOK);
    gombsor->addWidget(btnCancel);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 10, 12, 10);
    fo->setSpacing(4);
    fo->addWidget(VezerloCimke(leiras.cimke, DBEdit1, QStringLiteral("Label1")));
    fo->addWidget(DBEdit1);
    fo->addStretch(1);
    fo->addLayout(gombsor);

    setTabOrder(DBEdit1, btnOK);
    setTabOrder(btnOK, btnCancel);

    kotes()->bindEdit(DBEdit1, leiras.nevMezo);

    RogzitettMeret(this, 206, 117);
    KepernyoKozepere(this);
}

Tfrm_TorzsSzerkeszt::~Tfrm_TorzsSzerkeszt() = default;

void Tfrm_TorzsSzerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    DBEdit1->setFocus(Qt::OtherFocusReason);
}
