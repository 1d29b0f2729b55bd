#include "places/tfrm_megjegyzes.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/datagrid.h"
#include "common/ikonok.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/table.h"
#include "places/megjegyzesek.h"
#include "places/tfrm_megjegyzes_szerkeszt.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

bool MegjegyzesSzerkesztes(SorSzerkeszto &sorok, const QString &helyNev, QWidget *szulo)
{
    return Tfrm_Megjegyzes_Szerkeszt::futtat(sorok, helyNev, szulo);
}

Tfrm_Megjegyzes::Tfrm_Megjegyzes(data::Database &db, const QVariant &ugyfel, const QString &helyNev,
                                 QWidget *parent)
    : ListaAblak(db, parent), m_tbl(new data::Table(db, QStringLiteral("ugyf_megj"), this)), m_ugyfel(ugyfel),
      m_helyNev(helyNev)
{
    setObjectName(QStringLiteral("frm_Megjegyzes"));
    setWindowTitle(QStringLiteral("Megjegyzések"));
    m_tbl->setObjectName(QStringLiteral("TblMegjegyzes"));
    MegjegyzesListaBeallit(*m_tbl, ugyfel);

    m_aNyomtatKep = nyomtatoAkcio("aNyomtatKep", QStringLiteral("Nyomtatási kép"), QKeySequence(Qt::CTRL | Qt::Key_K),
                                  "document-print-preview", false);
    m_aNyomtat = nyomtatoAkcio("aNyomtat", QStringLiteral("Nyomtat"), QKeySequence(Qt::CTRL | Qt::Key_P),
                               "document-print", true);
    // Tool bar and pop-up menu: new, edit, delete | the two prints | close.
    eszkoztar()->insertAction(aBezar(), m_aNyomtatKep);
    eszkoztar()->insertAction(aBezar(), m_aNyomtat);
    eszkoztar()->insertSeparator(aBezar());
    auto *elvalaszto = new QAction(this);
    elvalaszto->setSeparator(true);
    racs()->insertActions(aBezar(), {m_aNyomtatKep, m_aNyomtat, elvalaszto});
    // Captions beside the icons of the row actions and of "Bezár"; the two
    // prints show their icons alone, or the bar would not hold them.
    eszkoztar()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QAction *a : {m_aNyomtatKep, m_aNyomtat})
        if (auto *gomb = qobject_cast<QToolButton *>(eszkoztar()->widgetForAction(a)))
            gomb->setToolButtonStyle(Qt::ToolButtonIconOnly);

    beallit(m_tbl, {{QStringLiteral("datum"), QStringLiteral("dátum")}, {QStringLiteral("rovid"), QStringLiteral("rövid leírás")}},
            QStringLiteral("ugyf_megj"));
    sorok().setAlapertekek([this](data::DataSet &ds) { UjMegjegyzes(ds, m_ugyfel, QDate::currentDate()); });
    // The editor run writes the picker's day back into the row after the
    // editor has closed, so the list's own run (make, show, destroy) does not
    // serve here.
    sorok().setSzerkeszto([this] {
        const bool elfogadva = MegjegyzesSzerkesztes(sorok(), m_helyNev, this);
        racs()->setFocus(Qt::OtherFocusReason);
        return elfogadva;
    });
    racs()->horizontalHeader()->setStretchLastSection(true);
    racs()->setColumnWidth(0, 90);

    auto *hely = new QLabel(helyNev, this);
    hely->setObjectName(QStringLiteral("lblHely"));
    hely->setFont(QFont(QStringLiteral("Tahoma"), 8, QFont::Bold));
    hely->setContentsMargins(6, 3, 6, 3);
    hely->setTextFormat(Qt::PlainText);

    m_szoveg = new QPlainTextEdit(this);
    m_szoveg->setObjectName(QStringLiteral("DBMemo1"));
    m_szoveg->setReadOnly(true);
    m_szoveg->setFont(QFont(QStringLiteral("Courier New"), 9));
    m_szoveg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_szoveg->setFocusPolicy(Qt::ClickFocus);
    FokuszSzinNelkul(m_szoveg);
    // The text follows the current note once the table has its fields.
    VedettKapcsol(m_tbl, &data::DataSet::opened, this, [this] {
        if (!m_kotes) {
            m_kotes = new data::Binder(m_tbl, this);
            m_kotes->bindMemo(m_szoveg, QStringLiteral("megjegyzes"));
        }
        m_kotes->load();
    });

    // The grid and the text share the height below the name strip.
    auto *elrendezes = static_cast<QVBoxLayout *>(layout());
    elrendezes->removeWidget(racs());
    auto *oszto = new QSplitter(Qt::Vertical, this);
    oszto->setObjectName(QStringLiteral("Splitter1"));
    oszto->setChildrenCollapsible(false);
    oszto->addWidget(racs());
    oszto->addWidget(m_szoveg);
    oszto->setSizes({200, 130});
    elrendezes->insertWidget(1, hely);
    elrendezes->addWidget(oszto, 1);

    setRiport(Riport());
    RogzitettMeret(this, 402, 389);
    KepernyoKozepere(this);
}

Tfrm_Megjegyzes::~Tfrm_Megjegyzes() = default;

QAction *Tfrm_Megjegyzes::nyomtatoAkcio(const char *nev, const QString &felirat, const QKeySequence &billentyu,
                                        const char *ikon, bool nyomtatora)
{
    auto *a = new QAction(TemaIkon(ikon), felirat, this);
    a->setObjectName(QLatin1String(nev));
    a->setToolTip(felirat);
    a->setStatusTip(felirat);
    a->setShortcut(billentyu);
    a->setShortcutContext(Qt::WindowShortcut);
    a->setProperty("kategoria", QStringLiteral("Sorok"));
    addAction(a);
    VedettKapcsol(a, &QAction::triggered, this, [this, nyomtatora] {
        if (m_riport)
            m_riport(nyomtatora);
    });
    return a;
}

void Tfrm_Megjegyzes::setRiport(Riport riport)
{
    m_riport = std::move(riport);
    m_aNyomtatKep->setEnabled(bool(m_riport));
    m_aNyomtat->setEnabled(bool(m_riport));
}
