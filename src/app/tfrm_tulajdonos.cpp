#include "app/tfrm_tulajdonos.h"

#include "app/irodaadatok.h"
#include "common/ablak.h"
#include "common/binding.h"
#include "common/irszvaros.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Tfrm_Tulajdonos::Tfrm_Tulajdonos(SorSzerkeszto &sorok, const QString &alapVaros, QWidget *parent)
    : SzerkesztoAblak(sorok, parent), m_alapVaros(alapVaros)
{
    setObjectName(QStringLiteral("frm_Tulajdonos"));
    setWindowTitle(QStringLiteral("Irodánk adatai"));

    struct Mezo {
        const char *nev;
        const char *mezo;
        const char *felirat;
    };
    const Mezo mezok[] = {
        {"edtNev", "tulajdonos", "Iroda neve"},
        {"edtIrsz", "irsz", "Irányítószám"},
        {"edtVaros", "varos", "Város"},
        {"edtCim", "cim", "Cím"},
        {"edtTelefon", "telefon", "Telefon"},
        {"edtMobil", "mobil", "Mobil"},
        {"edtFax", "fax", "Fax"},
        {"edtAdoszam", "adoszam", "Adószám"},
        {"edtBankszamla", "bankszamlaszam", "Bankszámlaszám"},
    };
    auto *urlap = new QFormLayout;
    urlap->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    urlap->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    urlap->setHorizontalSpacing(12);
    urlap->setVerticalSpacing(6);
    QWidget *elozo = nullptr;
    for (const Mezo &m : mezok) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(m.nev));
        kotes()->bindEdit(e, QLatin1String(m.mezo));
        urlap->addRow(VezerloCimke(QString::fromUtf8(m.felirat), e, QStringLiteral("lbl") + QLatin1String(m.nev + 3)),
                      e);
        if (elozo)
            setTabOrder(elozo, e);
        elozo = e;
    }
    m_nev = findChild<QLineEdit *>(QStringLiteral("edtNev"));
    m_irsz = findChild<QLineEdit *>(QStringLiteral("edtIrsz"));
    m_irsz->setMaximumWidth(m_irsz->fontMetrics().averageCharWidth() * 10);
    m_irsz->installEventFilter(this);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    megsem->setObjectName(QStringLiteral("btnCancel"));
    gombok(ok, megsem);
    setTabOrder(elozo, ok);
    setTabOrder(ok, megsem);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(ok);
    gombsor->addWidget(megsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 12, 12, 10);
    fo->addLayout(urlap);
    fo->addStretch(1);
    fo->addLayout(gombsor);

    RogzitettMeret(this, 420, 312);
    KepernyoKozepere(this);
}

Tfrm_Tulajdonos::~Tfrm_Tulajdonos() = default;

bool Tfrm_Tulajdonos::futtat(data::Database &db, const QString &alapVaros, QWidget *szulo)
{
    IrodaAdatok iroda(db);
    return iroda.szerkeszt([&] {
        Tfrm_Tulajdonos ablak(iroda.sorok(), alapVaros, szulo);
        return ablak.exec() == QDialog::Accepted;
    });
}

void Tfrm_Tulajdonos::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    if (!event->spontaneous())
        m_nev->setFocus(Qt::OtherFocusReason);
}

bool Tfrm_Tulajdonos::eventFilter(QObject *obj, QEvent *event)
{
    if (obj == m_irsz && event->type() == QEvent::FocusOut && adatok()->isEditing()) {
        // Leaving the box for another control; a drop-down or another window
        // coming to the front is no leaving.
        const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
        if (ok != Qt::PopupFocusReason && ok != Qt::ActiveWindowFocusReason)
            Vedett([this] {
                CimVarosKitolt(*adatok(), QStringLiteral("irsz"), QStringLiteral("varos"), m_alapVaros);
            });
    }
    return SzerkesztoAblak::eventFilter(obj, event);
}
