#include "common/szerkesztoablak.h"

#include "common/ablak.h"
#include "common/dobozok.h"
#include "data/binding.h"
#include "data/database.h"
#include "data/dataset.h"

#include <QPushButton>
#include <QShowEvent>

SzerkesztoAblak::SzerkesztoAblak(data::DataSet *ds, QWidget *parent)
    : QDialog(parent), m_ds(ds), m_kotes(new data::Binder(ds, this))
{
    setModal(true);
    AblakSzokasok(this);
}

SzerkesztoAblak::~SzerkesztoAblak() = default;

void SzerkesztoAblak::gombok(QPushButton *okGomb, QPushButton *megsem)
{
    // Enter moves between the controls; a button fires on Enter only while
    // it has the focus.
    if (okGomb) {
        okGomb->setDefault(false);
        connect(okGomb, &QPushButton::clicked, this, &SzerkesztoAblak::ok);
    }
    if (megsem) {
        megsem->setDefault(false);
        connect(megsem, &QPushButton::clicked, this, &QDialog::reject);
    }
}

void SzerkesztoAblak::showEvent(QShowEvent *event)
{
    m_kotes->load();
    QDialog::showEvent(event);
}

void SzerkesztoAblak::ok()
{
    if (!ellenoriz())
        return;
    if (m_ds->isEditing()) {
        try {
            m_ds->post();
        } catch (const data::DbError &hiba) {
            mentesHiba(hiba);
            return;
        }
    }
    mentesUtan();
    accept();
}

void SzerkesztoAblak::mentesHiba(const data::DbError &hiba)
{
    HibaDoboz(hiba.message());
}
