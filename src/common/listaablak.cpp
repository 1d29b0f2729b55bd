#include "common/listaablak.h"

#include "common/datagrid.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QAction>
#include <QHeaderView>
#include <QIcon>
#include <QPointer>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QAction *akcio(QWidget *ablak, const char *nev, const QString &felirat, const QList<QKeySequence> &billentyuk,
               const char *ikon)
{
    auto *a = new QAction(QIcon::fromTheme(QLatin1String(ikon)), felirat, ablak);
    a->setObjectName(QLatin1String(nev));
    a->setToolTip(felirat);
    a->setStatusTip(felirat);
    a->setShortcuts(billentyuk);
    a->setShortcutContext(Qt::WindowShortcut);
    // The category the actions of a list are kept under.
    a->setProperty("kategoria", QStringLiteral("Sorok"));
    ablak->addAction(a);
    return a;
}

}  // namespace

ListaAblak::ListaAblak(data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setModal(true);

    m_aElfogad = akcio(this, "aElfogad", QStringLiteral("Elfogad"), {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
                       "dialog-ok-apply");
    m_aUj = akcio(this, "aUj", QStringLiteral("Új"), {QKeySequence(Qt::Key_Insert)}, "list-add");
    m_aSzerkeszt = akcio(this, "aSzerkeszt", QStringLiteral("Szerkeszt"), {QKeySequence(Qt::Key_F2)}, "document-edit");
    m_aTorol = akcio(this, "aTorol", QStringLiteral("Töröl"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)}, "edit-delete");
    m_aBezar = akcio(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)}, "window-close");

    VedettKapcsol(m_aUj, &QAction::triggered, this, [this] { uj(); });
    VedettKapcsol(m_aSzerkeszt, &QAction::triggered, this, [this] { szerkeszt(); });
    VedettKapcsol(m_aTorol, &QAction::triggered, this, [this] { torol(); });
    VedettKapcsol(m_aBezar, &QAction::triggered, this, &QDialog::reject);
    VedettKapcsol(m_aElfogad, &QAction::triggered, this, [this] { elfogad(); });

    m_eszkoztar = new QToolBar(this);
    m_eszkoztar->setObjectName(QStringLiteral("ToolBar1"));
    m_eszkoztar->setIconSize(QSize(16, 16));
    m_eszkoztar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_eszkoztar->setFloatable(false);
    m_eszkoztar->setMovable(false);
    m_eszkoztar->addAction(m_aElfogad);
    m_elfogadElvalaszto = m_eszkoztar->addSeparator();
    m_eszkoztar->addAction(m_aUj);
    m_eszkoztar->addAction(m_aSzerkeszt);
    m_eszkoztar->addAction(m_aTorol);
    m_eszkoztar->addSeparator();
    m_eszkoztar->addAction(m_aBezar);

    m_racs = new DataGrid(this);
    m_racs->setObjectName(QStringLiteral("DBGrid1"));
    m_racs->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto elvalaszto = [this] {
        auto *s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    m_elfogadMenuElvalaszto = elvalaszto();
    m_racs->addActions({m_aElfogad, m_elfogadMenuElvalaszto, m_aUj, m_aSzerkeszt, m_aTorol, elvalaszto(), m_aBezar});
    m_racs->horizontalHeader()->setStretchLastSection(true);
    VedettKapcsol(m_racs, &DataGrid::rowActivated, this, &ListaAblak::sorAktivalva);

    auto *elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(0);
    elrendezes->addWidget(m_eszkoztar);
    elrendezes->addWidget(m_racs, 1);

    setValasztoMod(false);
}

ListaAblak::~ListaAblak() = default;

void ListaAblak::beallit(data::DataSet *ds, const QVector<data::DataSetModel::Column> &oszlopok,
                         const QString &kulcsMezo, SorSzerkeszto *sorok)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    if (m_sorok != sorok)
        delete m_sorok;
    m_sorok = nullptr;
    m_ds = ds;
    if (ds) {
        m_sorok = sorok;
        if (m_sorok) {
            m_sorok->setParent(this);
        } else {
            m_sorok = new SorSzerkeszto(*ds, this);
            m_sorok->setAlapertekek([this](data::DataSet &) { ujSorAlapertekek(); });
        }
        m_sorok->setKulcsMezo(kulcsMezo);
        m_sorok->setSzerkeszto([this] { return szerkesztoFuttat(); });
    }
    QStringList mezok;
    for (const auto &o : oszlopok)
        mezok << o.field;
    m_racs->setDataSet(ds, mezok);
    if (m_racs->dataModel())
        m_racs->dataModel()->setColumns(oszlopok);
    if (ds) {
        for (auto jel : {&data::DataSet::opened, &data::DataSet::closed, &data::DataSet::rowsReset,
                         &data::DataSet::currentChanged, &data::DataSet::stateChanged, &data::DataSet::afterPost,
                         &data::DataSet::afterDelete})
            VedettKapcsol(ds, jel, this, &ListaAblak::allapotFrissites);
    }
    allapotFrissites();
}

void ListaAblak::setValasztoMod(bool be)
{
    m_valaszto = be;
    m_aElfogad->setVisible(be);
    m_elfogadElvalaszto->setVisible(be);
    m_elfogadMenuElvalaszto->setVisible(be);
    allapotFrissites();
}

int ListaAblak::valaszt(const QVariant &kezdoKulcs)
{
    setValasztoMod(true);
    m_kezdoKulcs = kezdoKulcs;
    const bool elfogadva = exec() == QDialog::Accepted;
    m_kezdoKulcs = QVariant();
    return elfogadva ? m_kulcs : -1;
}

QVariant ListaAblak::valasztottErtek(const QString &mezo) const
{
    return m_valasztott.value(mezo.toLower());
}

void ListaAblak::allapotFrissites()
{
    const bool vanSor = m_ds && m_ds->isOpen() && !m_ds->isEmpty();
    const bool nyitva = m_ds && m_ds->isOpen();
    m_aUj->setEnabled(nyitva);
    m_aSzerkeszt->setEnabled(vanSor);
    m_aTorol->setEnabled(vanSor);
    // Accepting an empty list hands back the empty key.
    m_aElfogad->setEnabled(m_valaszto && nyitva);
}

void ListaAblak::megnyit()
{
    if (m_ds && !m_ds->isOpen()) {
        m_ds->open();
        // The first row stays current when no row has the key.
        if (m_kezdoKulcs.isValid() && !m_kezdoKulcs.isNull() && m_sorok)
            Vedett([this] { m_ds->locate(m_sorok->kulcsMezo(), m_kezdoKulcs); });
    }
    allapotFrissites();
}

int ListaAblak::exec()
{
    m_kulcs = -1;
    m_valasztott.clear();
    megnyit();
    return QDialog::exec();
}

void ListaAblak::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Vedett([this] { megnyit(); });
    m_racs->setFocus(Qt::OtherFocusReason);
}

void ListaAblak::done(int r)
{
    QDialog::done(r);
    Vedett([this] {
        if (m_ds && m_ds->isOpen()) {
            if (m_ds->isEditing())
                m_ds->cancel();
            m_ds->close();
        }
    });
    allapotFrissites();
}

void ListaAblak::sorAktivalva()
{
    if (m_valaszto)
        m_aElfogad->trigger();
    else
        m_aSzerkeszt->trigger();
}

bool ListaAblak::szerkesztoFuttat()
{
    QPointer<QDialog> szerkeszto = szerkesztoKeszit();
    if (!szerkeszto)
        return false;
    const bool rendben = szerkeszto->exec() == QDialog::Accepted;
    delete szerkeszto.data();
    m_racs->setFocus(Qt::OtherFocusReason);
    return rendben;
}

void ListaAblak::uj()
{
    if (m_sorok)
        m_sorok->uj();
    allapotFrissites();
}

void ListaAblak::szerkeszt()
{
    if (m_sorok)
        m_sorok->szerkeszt();
    allapotFrissites();
}

void ListaAblak::torol()
{
    if (m_sorok)
        m_sorok->torol();
    allapotFrissites();
}

void ListaAblak::elfogad()
{
    if (!m_valaszto || !m_sorok || !m_ds->isOpen())
        return;
    // The key field, never the row's position; an empty key counts as 0.
    m_kulcs = int(m_sorok->kulcs().toLongLong());
    m_valasztott.clear();
    for (int f = 0; f < m_ds->fieldCount(); ++f)
        m_valasztott.insert(m_ds->field(f).def.name.toLower(), m_ds->value(f));
    accept();
}
