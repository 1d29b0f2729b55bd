#include "common/listaablak.h"

#include "common/datagrid.h"
#include "common/dobozok.h"
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

ListaAblak::ListaAblak(QWidget *parent) : QDialog(parent)
{
    setModal(true);

    m_aElfogad = akcio(this, "aElfogad", QStringLiteral("Elfogad"), {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
                       "dialog-ok-apply");
    m_aUj = akcio(this, "aUj", QStringLiteral("Új"), {QKeySequence(Qt::Key_Insert)}, "list-add");
    m_aSzerkeszt = akcio(this, "aSzerkeszt", QStringLiteral("Szerkeszt"), {QKeySequence(Qt::Key_F2)}, "document-edit");
    m_aTorol = akcio(this, "aTorol", QStringLiteral("Töröl"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)}, "edit-delete");
    m_aBezar = akcio(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)}, "window-close");

    connect(m_aUj, &QAction::triggered, this, [this] { uj(); });
    connect(m_aSzerkeszt, &QAction::triggered, this, [this] { szerkeszt(); });
    connect(m_aTorol, &QAction::triggered, this, [this] { torol(); });
    connect(m_aBezar, &QAction::triggered, this, &QDialog::reject);
    connect(m_aElfogad, &QAction::triggered, this, [this] { elfogad(); });

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
    connect(m_racs, &DataGrid::rowActivated, this, &ListaAblak::sorAktivalva);

    auto *elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(0);
    elrendezes->addWidget(m_eszkoztar);
    elrendezes->addWidget(m_racs, 1);

    setValasztoMod(false);
}

ListaAblak::~ListaAblak() = default;

void ListaAblak::beallit(data::DataSet *ds, const QVector<data::DataSetModel::Column> &oszlopok,
                         const QString &kulcsMezo)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = ds;
    m_kulcsMezo = kulcsMezo;
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
            connect(ds, jel, this, &ListaAblak::allapotFrissites);
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

int ListaAblak::valaszt()
{
    setValasztoMod(true);
    m_kulcs = -1;
    return exec() == QDialog::Accepted ? m_kulcs : -1;
}

void ListaAblak::allapotFrissites()
{
    const bool vanSor = m_ds && m_ds->isOpen() && !m_ds->isEmpty();
    const bool nyitva = m_ds && m_ds->isOpen();
    m_aUj->setEnabled(nyitva);
    m_aSzerkeszt->setEnabled(vanSor);
    m_aTorol->setEnabled(vanSor);
    m_aElfogad->setEnabled(m_valaszto && vanSor);
}

void ListaAblak::megnyit()
{
    if (m_ds && !m_ds->isOpen())
        m_ds->open();
    allapotFrissites();
}

int ListaAblak::exec()
{
    m_kulcs = -1;
    megnyit();
    return QDialog::exec();
}

void ListaAblak::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    megnyit();
    m_racs->setFocus(Qt::OtherFocusReason);
}

void ListaAblak::done(int r)
{
    QDialog::done(r);
    if (m_ds && m_ds->isOpen()) {
        if (m_ds->isEditing())
            m_ds->cancel();
        m_ds->close();
    }
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
    bool rendben = false;
    try {
        QPointer<QDialog> szerkeszto = szerkesztoKeszit();
        if (szerkeszto) {
            rendben = szerkeszto->exec() == QDialog::Accepted;
            delete szerkeszto.data();
        }
        // An editor that closed with OK has posted; anything else leaves
        // the row as it was.
        if (m_ds->isEditing()) {
            if (rendben)
                m_ds->post();
            else
                m_ds->cancel();
        }
    } catch (...) {
        if (m_ds->isEditing())
            m_ds->cancel();
        allapotFrissites();
        throw;
    }
    allapotFrissites();
    m_racs->setFocus(Qt::OtherFocusReason);
    return rendben;
}

void ListaAblak::uj()
{
    if (!m_ds || !m_ds->isOpen())
        return;
    m_ds->insert();
    try {
        ujSorAlapertekek();
    } catch (...) {
        m_ds->cancel();
        throw;
    }
    szerkesztoFuttat();
}

void ListaAblak::szerkeszt()
{
    if (!m_ds || !m_ds->isOpen() || m_ds->isEmpty())
        return;
    m_ds->edit();
    szerkesztoFuttat();
}

void ListaAblak::torol()
{
    if (!m_ds || !m_ds->isOpen() || m_ds->isEmpty())
        return;
    if (!KerdesDoboz(QStringLiteral("Valóban töröljem a sort?"), QStringLiteral("Megerősítés")))
        return;
    m_ds->remove();
    allapotFrissites();
}

void ListaAblak::elfogad()
{
    if (!m_valaszto || !m_ds || !m_ds->isOpen() || m_ds->isEmpty())
        return;
    m_kulcs = m_kulcsMezo.isEmpty() ? m_ds->recNo() : int(m_ds->asInteger(m_kulcsMezo));
    accept();
}
