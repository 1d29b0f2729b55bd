#include "app/helyreszletek.h"

#include "common/binding.h"
#include "common/ertekcimke.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <tuple>

HelyReszletek::HelyReszletek(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    auto *sor = new QHBoxLayout(this);
    // The memo is as wide as the panel less the right edge of the Egyebek
    // box less 8 pixels: 4 of spacing before it and 4 of margin after it.
    sor->setContentsMargins(4, 1, 4, 2);
    sor->setSpacing(4);

    QFont felkover = font();
    felkover.setBold(true);

    auto doboz = [this](const QString &cim, const QString &nev) {
        auto *g = new QGroupBox(cim, this);
        g->setObjectName(nev);
        auto *l = new QGridLayout(g);
        l->setContentsMargins(6, 0, 6, 2);
        l->setHorizontalSpacing(6);
        l->setVerticalSpacing(1);
        return std::make_pair(g, l);
    };
    // Values use the window font; `minta` is the widest text of a short
    // value that must never be cut ("00001").
    auto ertek = [this, felkover](QWidget *szulo, const QString &mezo, bool vastag = false,
                                  const char *minta = nullptr) {
        auto *l = new ErtekCimke(szulo);
        m_ertekek << l;
        l->setObjectName(QStringLiteral("lbl_") + mezo);
        l->setProperty("mezo", mezo);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (vastag)
            l->setFont(felkover);
        // A long value is cut at the box's edge instead of widening it.
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(minta ? l->fontMetrics().horizontalAdvance(QString::fromUtf8(minta)) + 2 : 20);
        return l;
    };
    auto link = [this, &ertek](QWidget *szulo, const QString &mezo, bool level) {
        ErtekCimke *l = ertek(szulo, mezo);
        l->setTextInteractionFlags(Qt::NoTextInteraction);
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
        l->setPalette(p);
        l->setCursor(Qt::PointingHandCursor);
        l->setProperty("link", true);
        l->setProperty("level", level);
        l->installEventFilter(this);
        return l;
    };
    // A row of label-value pairs inside a grid cell.
    auto parok = [](QGridLayout *g, int r, const QList<QWidget *> &elemek) {
        int c = 0;
        for (QWidget *w : elemek)
            g->addWidget(w, r, c++);
    };

    // Column 1
    auto *oszlop1 = new QVBoxLayout;
    oszlop1->setSpacing(0);
    {
        auto [g, l] = doboz(QStringLiteral("Általános"), QStringLiteral("gbAltalanos"));
        QLabel *nev = ertek(g, QStringLiteral("ugyfel_nev"), true);
        QFont f = felkover;
        f.setPointSizeF(f.pointSizeF() + 1);
        nev->setFont(f);
        l->addWidget(nev, 0, 0, 1, 4);
        parok(l, 1, {ReszletCimke(QStringLiteral("ssz."), g), ertek(g, QStringLiteral("sorszam"), false, "00000"),
                     ReszletCimke(QStringLiteral("ter."), g), ertek(g, QStringLiteral("terulet_nev"))});
        l->setColumnStretch(1, 1);
        l->setColumnStretch(3, 3);
        oszlop1->addWidget(g);
    }
    for (const auto &[cim, nev, elo] : {std::make_tuple("Cím adatok", "gbCim", "cim"),
                                          std::make_tuple("Levelezési cím", "gbLevCim", "lev")}) {
        auto [g, l] = doboz(QString::fromUtf8(cim), QString::fromUtf8(nev));
        const QString e = QString::fromUtf8(elo);
        auto *egySor = new QHBoxLayout;
        egySor->setSpacing(6);
        egySor->addWidget(ertek(g, e + QStringLiteral("_orszag")), 1);
        egySor->addWidget(ertek(g, e + QStringLiteral("_irsz"), false, "0000"), 1);
        egySor->addWidget(ertek(g, e + QStringLiteral("_varos")), 4);
        l->addLayout(egySor, 0, 0, 1, 2);
        parok(l, 1, {ReszletCimke(QStringLiteral("cím"), g), ertek(g, e + QStringLiteral("_cim"))});
        l->setColumnStretch(1, 1);
        oszlop1->addWidget(g);
    }
    oszlop1->addStretch(1);
    sor->addLayout(oszlop1, 5);

    // Column 2
    auto *oszlop2 = new QVBoxLayout;
    oszlop2->setSpacing(0);
    for (const auto &[cim, nev, felirat, szemely, elo] :
         {std::make_tuple("Kapcsolattartó", "gbKapcsolat", "kapcsolattartó", "kapcsolat", "kapcs"),
          std::make_tuple("Tulajdonos", "gbTulajdonos", "tulajdonos", "tulajdonos", "tul")}) {
        auto [g, l] = doboz(QString::fromUtf8(cim), QString::fromUtf8(nev));
        const QString e = QString::fromUtf8(elo);
        l->addWidget(ReszletCimke(QString::fromUtf8(felirat), g), 0, 0);
        l->addWidget(ertek(g, QString::fromUtf8(szemely)), 0, 1, 1, 3);
        parok(l, 1, {ReszletCimke(QStringLiteral("mobil 1."), g), ertek(g, e + QStringLiteral("_mobil")),
                     ReszletCimke(QStringLiteral("mobil 2."), g), ertek(g, e + QStringLiteral("_mobil2"))});
        parok(l, 2, {ReszletCimke(QStringLiteral("telefon"), g), ertek(g, e + QStringLiteral("_telefon")),
                     ReszletCimke(QStringLiteral("fax"), g), ertek(g, e + QStringLiteral("_fax"))});
        l->addWidget(ReszletCimke(QStringLiteral("email"), g), 3, 0);
        l->addWidget(link(g, e + QStringLiteral("_emil"), true), 3, 1, 1, 3);
        l->setColumnStretch(1, 1);
        l->setColumnStretch(3, 1);
        oszlop2->addWidget(g);
    }
    oszlop2->addStretch(1);
    sor->addLayout(oszlop2, 8);

    // Column 3
    {
        auto [g, l] = doboz(QStringLiteral("Egyebek"), QStringLiteral("gbEgyebek"));
        m_egyebek = g;
        int r = 0;
        l->addWidget(ReszletCimke(QStringLiteral("bankszámla"), g), r++, 0, 1, 3);
        l->addWidget(ertek(g, QStringLiteral("bankszamla")), r++, 0, 1, 3);
        auto *sor2 = new QHBoxLayout;
        sor2->setSpacing(4);
        sor2->addWidget(ReszletCimke(QStringLiteral("létszám"), g));
        sor2->addWidget(ertek(g, QStringLiteral("letszam")), 1);
        sor2->addWidget(ReszletCimke(QStringLiteral("ü.csekk"), g));
        sor2->addWidget(ertek(g, QStringLiteral("udulesicsekk")), 1);
        l->addLayout(sor2, r++, 0, 1, 3);
        auto *sor3 = new QHBoxLayout;
        sor3->setSpacing(4);
        sor3->addWidget(ReszletCimke(QStringLiteral("tól - ig"), g));
        sor3->addWidget(ertek(g, QStringLiteral("tol")), 1);
        sor3->addWidget(ertek(g, QStringLiteral("ig")), 1);
        sor3->addStretch(1);
        l->addLayout(sor3, r++, 0, 1, 3);
        l->addWidget(ReszletCimke(QStringLiteral("jutalék%"), g), r, 0);
        l->addWidget(ReszletCimke(QStringLiteral("össz.díj"), g), r, 1);
        l->addWidget(ReszletCimke(QStringLiteral("össz.jut."), g), r++, 2);
        l->addWidget(ertek(g, QStringLiteral("jutalek"), true), r, 0);
        l->addWidget(ertek(g, QStringLiteral("ossz_dij"), true), r, 1);
        l->addWidget(ertek(g, QStringLiteral("ossz_jut"), true), r++, 2);
        l->addWidget(link(g, QStringLiteral("honlap"), false), r++, 0, 1, 3);
        l->setRowStretch(r, 1);
        for (int c = 0; c < 3; ++c)
            l->setColumnStretch(c, 1);
        auto *oszlop3 = new QVBoxLayout;
        oszlop3->addWidget(g, 1);
        sor->addLayout(oszlop3, 6);
    }

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("DBMemo1"));
    m_memo->setReadOnly(true);
    {
        QFont f(QStringLiteral("Liberation Mono"));
        f.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                       QStringLiteral("DejaVu Sans Mono")});
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        f.setPointSizeF(QApplication::font().pointSizeF());
        m_memo->setFont(f);
    }
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setMinimumWidth(60);
    // The memo takes the height of the boxes beside it, never more.
    m_memo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    sor->addWidget(m_memo, 3);

    // The panel keeps the height of its boxes; the grid takes the rest.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}


void HelyReszletek::kot(data::Binder *binder)
{
    for (QLabel *l : std::as_const(m_ertekek))
        binder->bindLabel(l, l->property("mezo").toString());
    binder->bindMemo(m_memo, QStringLiteral("szolgaltatas"));
}

bool HelyReszletek::eventFilter(QObject *obj, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease && obj->property("link").toBool()) {
        auto *m = static_cast<QMouseEvent *>(e);
        auto *w = static_cast<QWidget *>(obj);
        if (m->button() == Qt::LeftButton && w->rect().contains(m->position().toPoint())) {
            Q_EMIT linkKattintas(obj->property("mezo").toString(), obj->property("level").toBool());
            return true;
        }
    }
    return QWidget::eventFilter(obj, e);
}
