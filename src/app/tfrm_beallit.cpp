#include "app/tfrm_beallit.h"

#include "app/beallitasok.h"
#include "common/ablak.h"
#include "common/vedett.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tfrm_Beallit::Tfrm_Beallit(TBeall &beall, QWidget *parent) : QDialog(parent), m_beall(beall)
{
    setObjectName(QStringLiteral("frm_Beallit"));
    setWindowTitle(QStringLiteral("Beállítások"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox1 = new QCheckBox(QStringLiteral("Megnyitáskor teljes képernyő"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));

    auto *Label1 = VezerloCimke(QStringLiteral("alapértelmezett város"), Edit1, QStringLiteral("Label1"));
    auto *Label2 = VezerloCimke(QStringLiteral("adatbázis elérési útvonala"), Edit2, QStringLiteral("Label2"));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Mégsem"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    // Enter in a box moves on; it never closes the dialog by itself.
    for (QPushButton *b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(Button1);
    gombok->addWidget(Button2);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 10, 12, 10);
    fo->setSpacing(4);
    fo->addWidget(Label1);
    fo->addWidget(Edit1);
    fo->addSpacing(6);
    fo->addWidget(CheckBox1);
    fo->addSpacing(6);
    fo->addWidget(Label2);
    fo->addWidget(Edit2);
    fo->addStretch(1);
    fo->addLayout(gombok);

    setTabOrder(Edit1, CheckBox1);
    setTabOrder(CheckBox1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Button2);

    RogzitettMeret(this, 303, 202);
    SzuloKozepere(this);

    const TBeall &b = m_beall;
    CheckBox1->setChecked(b.TeljesKep);
    Edit1->setText(b.AlapVaros);
    Edit2->setText(b.Utvonal);
    if (KiszolgalonFut(b))
        Edit2->setToolTip(QStringLiteral("Az adatok a kiszolgálón vannak (%1): az útvonal csak a "
                                         "Nyugvar.ini [Adatbazis] szakasza nélkül érvényes.").arg(KiszolgaloNeve(b)));

    VedettKapcsol(Button1, &QPushButton::clicked, this, &Tfrm_Beallit::elfogad);
    VedettKapcsol(Button2, &QPushButton::clicked, this, &QDialog::reject);

    AblakSzokasok(this);
    // Enter on the check box moves on like in the edit boxes; a button
    // that has the focus is pressed by Enter, as by Space.
    CheckBox1->installEventFilter(this);
    for (QPushButton *b : {Button1, Button2})
        b->installEventFilter(this);
    Edit1->setFocus();
}

bool Tfrm_Beallit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *e = static_cast<QKeyEvent *>(event);
        const bool enter = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
                           && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (enter && watched == CheckBox1) {
            focusNextChild();
            return true;
        }
        if (enter) {
            if (auto *gomb = qobject_cast<QPushButton *>(watched)) {
                gomb->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_Beallit::elfogad()
{
    TBeall &b = m_beall;
    b.TeljesKep = CheckBox1->isChecked();
    b.AlapVaros = Edit1->text();
    b.Utvonal = Edit2->text();
    accept();
}
