#include "tools/tfrm_sql.h"

#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/gridmodel.h"
#include "common/ikonok.h"
#include "common/programmappa.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/query.h"
#include "reports/tfrm_hatarolt.h"
#include "tools/sqlfajta.h"
#include "tools/sqlszerkeszto.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct AkcioLeiras {
    const char *nev;
    const char *felirat;
    const char *billentyu;
    const char *ikonok;
};

const AkcioLeiras kAkciok[] = {
    {"aUj", "Új SQL", "Ctrl+N", "document-new"},
    {"aMegnyit", "SQL megnyitása", "Ctrl+O", "document-open"},
    {"aMent", "SQL mentése", "Ctrl+S", "document-save"},
    {"aExport", "Export", "Ctrl+E", "document-export x-office-spreadsheet"},
    {"aBezar", "Bezár", "", "window-close application-exit"},
    {"aKivag", "Kivág", "Ctrl+X", "edit-cut"},
    {"aMasol", "Másol", "Ctrl+C", "edit-copy"},
    {"aBeilleszt", "Beilleszt", "Ctrl+V", "edit-paste"},
    {"aMindet", "Mindet kijelöl", "Ctrl+A", "edit-select-all"},
    {"aFuttat", "SQL lekérdezés", "F5", "system-run media-playback-start"},
};

// The clipboard actions work on the editor, and only on its page.
const char *const kVagolapAkciok[] = {"aKivag", "aMasol", "aBeilleszt", "aMindet"};

constexpr int kSqlLap = 0;
constexpr int kEredmenyLap = 1;
constexpr int kOszlopSzelesseg = 64;

// Fills a menu or a tool bar from action names, "-" standing for a separator.
template <typename Cel>
void feltolt(Cel *cel, const Tfrm_SQL &ablak, const char *nevek)
{
    for (const QString &nev : QString::fromLatin1(nevek).split(QLatin1Char(' '))) {
        if (nev == QLatin1String("-"))
            cel->addSeparator();
        else
            cel->addAction(ablak.akcio(nev));
    }
}

}  // namespace

Tfrm_SQL::Tfrm_SQL(data::Database &db, QWidget *parent)
    : QDialog(parent), m_db(db), m_eredmeny(new data::Query(db, this))
{
    // The result as the engine gives it: columns by name, values unformatted.
    m_eredmeny->setPlainColumns(true);
    setObjectName(QStringLiteral("frm_SQL"));
    setWindowTitle(QStringLiteral("SQL lekérdezés"));
    setSizeGripEnabled(true);
    resize(585, 405);
    akciokLetrehozasa();
    feluletLetrehozasa();
    bekotes();
    SzuloKozepere(this);
    m_szerkeszto->setFocus(Qt::OtherFocusReason);
}

Tfrm_SQL::~Tfrm_SQL()
{
    eredmenyBezar();
}

QString Tfrm_SQL::sqlMappa()
{
    return ProgramUtvonal(QStringLiteral("\\SQL"));
}

QAction *Tfrm_SQL::akcio(const QString &nev) const
{
    for (QAction *a : m_akciok)
        if (a->objectName() == nev)
            return a;
    return nullptr;
}

void Tfrm_SQL::akciokLetrehozasa()
{
    for (const AkcioLeiras &l : kAkciok) {
        auto *a = new QAction(TemaIkon(l.ikonok), QString::fromUtf8(l.felirat), this);
        a->setObjectName(QString::fromLatin1(l.nev));
        a->setToolTip(a->text());
        a->setStatusTip(a->text());
        if (*l.billentyu)
            a->setShortcut(QKeySequence(QString::fromLatin1(l.billentyu), QKeySequence::PortableText));
        a->setIconVisibleInMenu(true);
        m_akciok << a;
    }
    // The shortcuts work wherever the focus is in the window.
    addActions(m_akciok);
    akcio(QStringLiteral("aExport"))->setEnabled(false);
}

void Tfrm_SQL::feluletLetrehozasa()
{
    auto *menuSor = new QMenuBar(this);
    feltolt(menuSor->addMenu(QStringLiteral("Fájl")), *this, "aUj aMegnyit aMent - aExport - aBezar");
    feltolt(menuSor->addMenu(QStringLiteral("Szerkesztés")), *this, "aKivag aMasol aBeilleszt - aMindet");
    feltolt(menuSor->addMenu(QStringLiteral("SQL")), *this, "aFuttat");

    auto *eszkozok = new QToolBar(this);
    eszkozok->setObjectName(QStringLiteral("ToolBar1"));
    eszkozok->setIconSize(QSize(16, 16));
    feltolt(eszkozok, *this, "aUj aMegnyit aMent - aExport - aFuttat - aKivag aMasol aBeilleszt - aBezar");

    m_szerkeszto = new SqlSzerkeszto(this);
    m_szerkeszto->setObjectName(QStringLiteral("SynEdit1"));
    m_szerkesztoMenu = new QMenu(this);
    feltolt(m_szerkesztoMenu, *this, "aFuttat - aUj aMegnyit aMent - aKivag aMasol aBeilleszt aMindet");
    m_szerkeszto->setFelugroMenu(m_szerkesztoMenu);

    m_racs = new DataGrid(this);
    m_racs->setObjectName(QStringLiteral("DBGrid1"));
    m_racs->setContextMenuPolicy(Qt::CustomContextMenu);
    m_racs->setDataSet(m_eredmeny);
    m_racsMenu = new QMenu(this);
    feltolt(m_racsMenu, *this, "aMasol - aExport");

    m_lapok = new QTabWidget(this);
    m_lapok->setObjectName(QStringLiteral("PageControl1"));
    m_lapok->addTab(m_szerkeszto, QStringLiteral("SQL"));
    m_lapok->addTab(m_racs, QStringLiteral("Eredmény"));
    m_lapok->setCurrentIndex(kSqlLap);

    auto *elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(0);
    elrendezes->setMenuBar(menuSor);
    elrendezes->addWidget(eszkozok);
    elrendezes->addWidget(m_lapok, 1);
}

void Tfrm_SQL::bekotes()
{
    VedettKapcsol(akcio(QStringLiteral("aFuttat")), &QAction::triggered, this, &Tfrm_SQL::futtat);
    VedettKapcsol(akcio(QStringLiteral("aUj")), &QAction::triggered, this, &Tfrm_SQL::uj);
    VedettKapcsol(akcio(QStringLiteral("aMegnyit")), &QAction::triggered, this, &Tfrm_SQL::megnyit);
    VedettKapcsol(akcio(QStringLiteral("aMent")), &QAction::triggered, this, &Tfrm_SQL::ment);
    VedettKapcsol(akcio(QStringLiteral("aExport")), &QAction::triggered, this, &Tfrm_SQL::exportal);
    VedettKapcsol(akcio(QStringLiteral("aBezar")), &QAction::triggered, this, &QDialog::reject);
    VedettKapcsol(akcio(QStringLiteral("aKivag")), &QAction::triggered, m_szerkeszto, &QsciScintilla::cut);
    VedettKapcsol(akcio(QStringLiteral("aMasol")), &QAction::triggered, m_szerkeszto, &QsciScintilla::copy);
    VedettKapcsol(akcio(QStringLiteral("aBeilleszt")), &QAction::triggered, m_szerkeszto, &QsciScintilla::paste);
    VedettKapcsol(akcio(QStringLiteral("aMindet")), &QAction::triggered, m_szerkeszto,
                  [this] { m_szerkeszto->selectAll(true); });
    VedettKapcsol(m_lapok, &QTabWidget::currentChanged, this, &Tfrm_SQL::lapValtas);
    VedettKapcsol(m_racs, &QWidget::customContextMenuRequested, this,
                  [this](const QPoint &hely) { m_racsMenu->popup(m_racs->viewport()->mapToGlobal(hely)); });
}

void Tfrm_SQL::lapValtas()
{
    // On the result page the clipboard actions do nothing: they are off.
    const bool sqlLap = m_lapok->currentIndex() == kSqlLap;
    for (const char *nev : kVagolapAkciok)
        akcio(QLatin1String(nev))->setEnabled(sqlLap);
}

void Tfrm_SQL::eredmenyBezar()
{
    if (m_eredmeny->isOpen())
        m_eredmeny->close();
    akcio(QStringLiteral("aExport"))->setEnabled(false);
}

void Tfrm_SQL::futtat()
{
    eredmenyBezar();
    const QString sql = m_szerkeszto->futtatandoSzoveg();
    m_eredmeny->setSql(sql);
    try {
        if (SqlLekerdezes(sql)) {
            m_eredmeny->open();
            oszlopok();
            m_lapok->setCurrentIndex(kEredmenyLap);
            akcio(QStringLiteral("aExport"))->setEnabled(true);
        } else {
            m_eredmeny->exec();
            m_parancsFutott = true;
            UzenetDoboz(QStringLiteral("SQL futtatás kész."));
        }
    } catch (const data::DbError &e) {
        eredmenyBezar();
        HibaDoboz(QStringLiteral("SQL hiba:\r\n") + SqlHibaSzoveg(sql, e.message()));
    }
}

void Tfrm_SQL::oszlopok()
{
    // Every column under the name the statement gave it, not a table's label.
    QVector<data::DataSetModel::Column> oszlopok;
    for (int i = 0; i < m_eredmeny->fieldCount(); ++i)
        oszlopok.append({m_eredmeny->field(i).def.name, m_eredmeny->field(i).def.name});
    m_racs->dataModel()->setColumns(oszlopok);
    for (int i = 0; i < oszlopok.size(); ++i)
        m_racs->setColumnWidth(i, kOszlopSzelesseg);
}

void Tfrm_SQL::uj()
{
    m_szerkeszto->clear();
    m_lapok->setCurrentIndex(kSqlLap);
    m_szerkeszto->setFocus(Qt::OtherFocusReason);
}

void Tfrm_SQL::megnyit()
{
    FajlKeres keres;
    keres.cim = QStringLiteral("SQL megnyitás");
    keres.tipusok = QStringLiteral("SQL állományok (*.sql)");
    keres.kezdet = sqlMappa() + QLatin1Char('/');
    keres.kiterjesztes = QStringLiteral("sql");
    const QString utvonal = FajlValaszt(this, keres);
    if (utvonal.isEmpty())
        return;
    try {
        m_szerkeszto->setText(SqlFajlOlvas(utvonal));
    } catch (const SqlFajlHiba &e) {
        HibaDoboz(QString::fromStdString(e.what()));
        return;
    }
    m_fajlNev = utvonal;
    m_lapok->setCurrentIndex(kSqlLap);
}

void Tfrm_SQL::ment()
{
    FajlKeres keres;
    keres.mentes = true;
    keres.cim = QStringLiteral("SQL mentése");
    keres.tipusok = QStringLiteral("SQL file-ok (*.sql)");
    // The file last opened or saved here, else the statements' folder.
    keres.kezdet = m_fajlNev.isEmpty() ? sqlMappa() + QLatin1Char('/') : m_fajlNev;
    keres.kiterjesztes = QStringLiteral("sql");
    const QString utvonal = FajlValaszt(this, keres);
    if (utvonal.isEmpty())
        return;
    try {
        SqlFajlIr(utvonal, m_szerkeszto->text());
    } catch (const SqlFajlHiba &e) {
        HibaDoboz(QString::fromStdString(e.what()));
        return;
    }
    m_fajlNev = utvonal;
}

void Tfrm_SQL::exportal()
{
    // The action is enabled only while the result is open.
    if (m_eredmeny->isOpen())
        HataroltExport(*m_eredmeny, QString(), this);
}

void Tfrm_SQL::closeEvent(QCloseEvent *e)
{
    eredmenyBezar();
    QDialog::closeEvent(e);
}

void Tfrm_SQL::done(int r)
{
    eredmenyBezar();
    QDialog::done(r);
}
