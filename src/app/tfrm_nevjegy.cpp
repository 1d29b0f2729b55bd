#include "app/tfrm_nevjegy.h"

#include "app/logo.h"
#include "app/sugo.h"
#include "common/ablak.h"
#include "common/vedett.h"
#include "nyugvar_version.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *termekSor(const QString &szoveg, int pont, QWidget *szulo)
{
    auto *l = new QLabel(szoveg, szulo);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(pont);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

Tfrm_Nevjegy::Tfrm_Nevjegy(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Nevjegy"));
    setWindowTitle(QStringLiteral("Névjegy"));

    auto *kep = new Logo(this);
    kep->setObjectName(QStringLiteral("Image1"));
    kep->setFixedHeight(110);

    // The product label: name and version, bold, on pale green.
    auto *termek = new QFrame(this);
    termek->setObjectName(QStringLiteral("Panel1"));
    termek->setFrameShape(QFrame::StyledPanel);
    termek->setFrameShadow(QFrame::Sunken);
    termek->setAutoFillBackground(true);
    QPalette p = termek->palette();
    p.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
    p.setColor(QPalette::WindowText, Qt::black);
    termek->setPalette(p);
    m_nev = termekSor(QStringLiteral("Nyugvár"), 16, termek);
    m_nev->setObjectName(QStringLiteral("ProductName"));
    m_verzio = termekSor(QStringLiteral("V") + QLatin1String(NYUGVAR_VERSION), 11, termek);
    m_verzio->setObjectName(QStringLiteral("Version"));
    auto *termekSorok = new QVBoxLayout(termek);
    termekSorok->setContentsMargins(12, 8, 12, 8);
    termekSorok->addWidget(m_nev);
    termekSorok->addWidget(m_verzio);

    m_keszito = new QLabel(sugo::NevjegySzoveg(), this);
    m_keszito->setObjectName(QStringLiteral("Comments"));
    m_keszito->setAlignment(Qt::AlignCenter);
    m_keszito->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    VedettKapcsol(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *gombSor = new QHBoxLayout;
    gombSor->addStretch();
    gombSor->addWidget(m_ok);
    gombSor->addStretch();

    auto *elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(10, 10, 10, 10);
    elrendezes->setSpacing(10);
    elrendezes->addWidget(kep);
    elrendezes->addWidget(termek);
    elrendezes->addStretch();
    elrendezes->addWidget(m_keszito);
    elrendezes->addStretch();
    elrendezes->addLayout(gombSor);

    RogzitettMeret(this, 319, 343);
    KepernyoKozepere(this);
    m_ok->setFocus(Qt::OtherFocusReason);
}
