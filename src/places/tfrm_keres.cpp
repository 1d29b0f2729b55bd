#include "places/tfrm_keres.h"

#include "common/ablak.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tfrm_Keres::Tfrm_Keres(data::DataSet &ds, QWidget *parent) : QDialog(parent), m_ds(ds)
{
    setObjectName(QStringLiteral("frm_Keres"));
    setWindowTitle(QStringLiteral("Általános keresés"));
    setModal(true);

    m_szoveg = new QLineEdit(this);
    m_szoveg->setObjectName(QStringLiteral("edtKeresendo"));
    QLabel *cimke = VezerloCimke(QStringLiteral("Keresendő szöveg"), m_szoveg, QStringLiteral("lblKeresendo"));

    auto *csoport = new QGroupBox(QStringLiteral(" Irány "), this);
    csoport->setObjectName(QStringLiteral("rgIrany"));
    auto *iranySor = new QVBoxLayout(csoport);
    iranySor->setContentsMargins(8, 4, 8, 6);
    iranySor->setSpacing(2);
    const char *const nevek[3][2] = {
        {"rbElejetolLefele", "Elejétől lefelé"}, {"rbLefele", "Lefelé"}, {"rbFelfele", "Felfelé"}};
    for (int i = 0; i < 3; ++i) {
        m_iranyok[i] = new QRadioButton(QString::fromUtf8(nevek[i][1]), csoport);
        m_iranyok[i]->setObjectName(QLatin1String(nevek[i][0]));
        iranySor->addWidget(m_iranyok[i]);
    }

    m_keres = new QPushButton(QStringLiteral("Keres"), this);
    m_keres->setObjectName(QStringLiteral("btnKeres"));
    m_keres->setDefault(true);
    m_bezar = new QPushButton(QStringLiteral("Bezár"), this);
    m_bezar->setObjectName(QStringLiteral("btnBezar"));
    m_bezar->setAutoDefault(false);

    auto *gombok = new QVBoxLayout;
    gombok->setSpacing(6);
    gombok->addWidget(m_keres);
    gombok->addWidget(m_bezar);
    gombok->addStretch(1);

    auto *also = new QHBoxLayout;
    also->setSpacing(10);
    also->addWidget(csoport, 1);
    also->addLayout(gombok);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(10, 8, 10, 10);
    fo->setSpacing(4);
    fo->addWidget(cimke);
    fo->addWidget(m_szoveg);
    fo->addSpacing(4);
    fo->addLayout(also, 1);

    setTabOrder(m_szoveg, m_iranyok[0]);
    setTabOrder(m_iranyok[0], m_keres);
    setTabOrder(m_keres, m_bezar);

    setIrany(KeresesIrany::ElejetolLefele);
    VedettKapcsol(m_keres, &QPushButton::clicked, this, &Tfrm_Keres::keres);
    VedettKapcsol(m_bezar, &QPushButton::clicked, this, &QDialog::reject);

    // The focus colour; Enter presses "Keres" wherever the focus is.
    AblakSzokasok(this);
    EnterTabNelkul(this);
    RogzitettMeret(this, 326, 146);
    SzuloSarkaba(this);
    m_szoveg->setFocus(Qt::OtherFocusReason);
}

Tfrm_Keres::~Tfrm_Keres() = default;

KeresesIrany Tfrm_Keres::irany() const
{
    if (m_iranyok[1]->isChecked())
        return KeresesIrany::Lefele;
    if (m_iranyok[2]->isChecked())
        return KeresesIrany::Felfele;
    return KeresesIrany::ElejetolLefele;
}

void Tfrm_Keres::setIrany(KeresesIrany irany)
{
    m_iranyok[int(irany)]->setChecked(true);
}

void Tfrm_Keres::keres()
{
    KeresesIrany irany = this->irany();
    HelyKereses(m_ds, m_szoveg->text(), irany);
    setIrany(irany);
}
