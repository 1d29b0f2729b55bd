#include "places/tfrm_szur.h"

#include "common/ablak.h"
#include "common/ikonok.h"
#include "common/vedett.h"
#include "masterdata/torzsleiras.h"
#include "masterdata/torzsvalaszt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

Tfrm_Szur::Tfrm_Szur(data::Database &db, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Szur"));
    setWindowTitle(QStringLiteral("Szűrés"));
    setModal(true);

    m_tipusValaszto = [&db, this](int kulcs, QString &nev) { return TorzsValaszt(db, TorzsTipus(), kulcs, true, nev, this); };
    m_teruletValaszto = [&db, this](int kulcs, QString &nev) {
        return TorzsValaszt(db, TorzsTerulet(), kulcs, true, nev, this);
    };

    m_tipus = sorKeszit(QStringLiteral("Típus"), "Tipus");
    m_terulet = sorKeszit(QStringLiteral("Terület"), "Terulet");
    m_aktiv = new QCheckBox(QStringLiteral("Csak aktív szálláshelyek"), this);
    m_aktiv->setObjectName(QStringLiteral("cbAktiv"));
    m_aktiv->setChecked(true);

    m_szures = new QPushButton(QStringLiteral("Szűrés"), this);
    m_szures->setObjectName(QStringLiteral("btnSzures"));
    m_megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    m_megsem->setObjectName(QStringLiteral("btnMegsem"));
    // Enter moves between the controls; a button fires only while focused.
    m_szures->setAutoDefault(false);
    m_megsem->setAutoDefault(false);

    VedettKapcsol(m_tipus.gomb, &QToolButton::clicked, this, [this] { valaszt(m_tipus, m_tipusValaszto); });
    VedettKapcsol(m_terulet.gomb, &QToolButton::clicked, this, [this] { valaszt(m_terulet, m_teruletValaszto); });
    VedettKapcsol(m_szures, &QPushButton::clicked, this, &QDialog::accept);
    VedettKapcsol(m_megsem, &QPushButton::clicked, this, &QDialog::reject);

    auto *racs = new QGridLayout;
    racs->setHorizontalSpacing(6);
    racs->setVerticalSpacing(8);
    int r = 0;
    for (const Sor *s : {&m_tipus, &m_terulet}) {
        racs->addWidget(s->jelolo, r, 0);
        racs->addWidget(s->nev, r, 1);
        racs->addWidget(s->gomb, r, 2);
        ++r;
    }
    racs->addWidget(m_aktiv, r, 0, 1, 3);
    racs->setColumnStretch(1, 1);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(m_szures);
    gombsor->addWidget(m_megsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 12, 12, 10);
    fo->addLayout(racs);
    fo->addStretch(1);
    fo->addLayout(gombsor);

    setTabOrder(m_tipus.jelolo, m_tipus.gomb);
    setTabOrder(m_tipus.gomb, m_terulet.jelolo);
    setTabOrder(m_terulet.jelolo, m_terulet.gomb);
    setTabOrder(m_terulet.gomb, m_aktiv);
    setTabOrder(m_aktiv, m_szures);
    setTabOrder(m_szures, m_megsem);

    AblakSzokasok(this);
    RogzitettMeret(this, 283, 159);
    KepernyoKozepere(this);
}

Tfrm_Szur::~Tfrm_Szur() = default;

Tfrm_Szur::Sor Tfrm_Szur::sorKeszit(const QString &felirat, const char *nev)
{
    Sor s;
    s.jelolo = new QCheckBox(felirat, this);
    s.jelolo->setObjectName(QStringLiteral("cb") + QLatin1String(nev));
    // The caption stands left of the box.
    s.jelolo->setLayoutDirection(Qt::RightToLeft);
    s.nev = new QLineEdit(this);
    s.nev->setObjectName(QStringLiteral("edt") + QLatin1String(nev));
    s.nev->setReadOnly(true);
    s.nev->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    s.gomb = new QToolButton(this);
    s.gomb->setObjectName(QStringLiteral("btn") + QLatin1String(nev));
    s.gomb->setIcon(TemaIkon("edit-find document-open"));
    s.gomb->setText(QStringLiteral("..."));
    s.gomb->setToolTip(felirat);
    s.gomb->setAutoRaise(false);
    return s;
}

void Tfrm_Szur::valaszt(Sor &sor, const Valaszto &valaszto)
{
    if (!valaszto)
        return;
    QString nev;
    const int kulcs = valaszto(sor.kulcs, nev);
    if (kulcs < 0)
        return;
    // Picking does not tick the box.
    sor.kulcs = kulcs;
    sor.nev->setText(nev);
    m_aktiv->setFocus(Qt::OtherFocusReason);
}

SzuroValasztas Tfrm_Szur::valasztas() const
{
    SzuroValasztas v;
    v.terulet = m_terulet.jelolo->isChecked();
    v.teruletKulcs = m_terulet.kulcs;
    v.tipus = m_tipus.jelolo->isChecked();
    v.tipusKulcs = m_tipus.kulcs;
    v.csakAktiv = m_aktiv->isChecked();
    return v;
}

bool SzuresBekeres(data::Database &db, QWidget *szulo, QString &szuro)
{
    Tfrm_Szur ablak(db, szulo);
    if (ablak.exec() != QDialog::Accepted)
        return false;
    szuro = ablak.szuroSzoveg();
    return true;
}
