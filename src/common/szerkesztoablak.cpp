#include "common/szerkesztoablak.h"

#include "common/ablak.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/binding.h"
#include "data/dataset.h"

#include <QPushButton>
#include <QShowEvent>

SzerkesztoAblak::SzerkesztoAblak(SorSzerkeszto &sorok, QWidget *parent)
    : QDialog(parent), m_sorok(sorok), m_ds(&sorok.adatok()), m_kotes(new data::Binder(m_ds, this))
{
    setModal(true);
    AblakSzokasok(this);
}

SzerkesztoAblak::~SzerkesztoAblak() = default;

void SzerkesztoAblak::gombok(QPushButton *okGomb, QPushButton *megsem)
{
    // Enter moves between the controls, over the buttons too: neither is a
    // default button, and a focused one is pressed by Space or a click.
    for (QPushButton *gomb : {okGomb, megsem}) {
        if (gomb) {
            gomb->setDefault(false);
            gomb->setAutoDefault(false);
        }
    }
    if (okGomb)
        VedettKapcsol(okGomb, &QPushButton::clicked, this, &SzerkesztoAblak::ok);
    if (megsem)
        VedettKapcsol(megsem, &QPushButton::clicked, this, &QDialog::reject);
}

void SzerkesztoAblak::showEvent(QShowEvent *event)
{
    Vedett([this] { m_kotes->load(); });
    QDialog::showEvent(event);
}

void SzerkesztoAblak::ok()
{
    if (!ellenoriz())
        return;
    if (!m_sorok.ment())
        return;
    mentesUtan();
    accept();
}
