#include "places/tfrm_megj.h"

#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/kulsomegnyit.h"
#include "common/vedett.h"
#include "data/table.h"
#include "places/csatolt.h"

#include <QAction>
#include <QDate>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kSzeles = 418;
constexpr int kMagas = 382;

void felirat(QAction *a, const QString &szoveg)
{
    a->setText(szoveg);
    a->setToolTip(szoveg);
    a->setStatusTip(szoveg);
}

}  // namespace

Tfrm_Megj::Tfrm_Megj(data::Database &db, const QVariant &ugyfel, const QString &helyNev, QWidget *parent)
    : ListaAblak(db, parent), m_dok(new CsatoltDokumentumok(db, ugyfel, this))
{
    setObjectName(QStringLiteral("frm_Megj"));
    setWindowTitle(QStringLiteral("Csatolt dokumentumok"));

    felirat(aUj(), QStringLiteral("Új dokumentum"));
    aUj()->setIcon(QIcon::fromTheme(QStringLiteral("mail-attachment"), aUj()->icon()));
    m_aMegnyit = new QAction(QIcon::fromTheme(QStringLiteral("document-open")), QString(), this);
    m_aMegnyit->setObjectName(QStringLiteral("aMegnyit"));
    felirat(m_aMegnyit, QStringLiteral("Megnyit"));
    m_aMegnyit->setShortcut(QKeySequence(Qt::Key_F5));
    m_aMegnyit->setShortcutContext(Qt::WindowShortcut);
    m_aMegnyit->setProperty("kategoria", QStringLiteral("Sorok"));
    addAction(m_aMegnyit);
    VedettKapcsol(m_aMegnyit, &QAction::triggered, this, &Tfrm_Megj::megnyit);

    // Entries are never edited: the list has no edit action, and a double
    // click opens the document instead.
    aSzerkeszt()->setVisible(false);
    eszkoztar()->removeAction(aSzerkeszt());
    racs()->removeAction(aSzerkeszt());
    auto *elvalaszto = new QAction(this);
    elvalaszto->setSeparator(true);
    eszkoztar()->insertAction(aBezar(), m_aMegnyit);
    eszkoztar()->insertSeparator(aBezar());
    racs()->insertActions(aBezar(), {m_aMegnyit, elvalaszto});
    // Captions beside the icons: the bar has room for them.
    eszkoztar()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    beallit(m_dok->tabla(),
            {{QStringLiteral("doknev_rovid"), QStringLiteral("rövid név")}, {QStringLiteral("datum"), QStringLiteral("dátum")}},
            QStringLiteral("doknev"));
    racs()->horizontalHeader()->setStretchLastSection(false);
    racs()->setColumnWidth(0, 298);
    racs()->setColumnWidth(1, 81);

    m_helyNev = new QLineEdit(helyNev, this);
    m_helyNev->setObjectName(QStringLiteral("edtHelyNev"));
    m_helyNev->setReadOnly(true);
    m_helyNev->setFrame(false);
    m_helyNev->setFocusPolicy(Qt::NoFocus);
    m_helyNev->setCursorPosition(0);
    {
        QFont f = m_helyNev->font();
        f.setBold(true);
        m_helyNev->setFont(f);
        QPalette p = m_helyNev->palette();
        p.setColor(QPalette::Base, QColor(0xFF, 0xFB, 0xF0));
        m_helyNev->setPalette(p);
        m_helyNev->setTextMargins(4, 2, 4, 2);
    }
    FokuszSzinNelkul(m_helyNev);

    m_utvonal = new QLabel(this);
    m_utvonal->setObjectName(QStringLiteral("lblUtvonal"));
    {
        QFont f = m_utvonal->font();
        f.setBold(true);
        f.setUnderline(true);
        m_utvonal->setFont(f);
        QPalette p = m_utvonal->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 0xFF));
        m_utvonal->setPalette(p);
        m_utvonal->setContentsMargins(4, 3, 4, 3);
    }
    m_utvonal->installEventFilter(this);

    auto *elrendezes = static_cast<QVBoxLayout *>(layout());
    elrendezes->insertWidget(0, m_helyNev);
    elrendezes->addWidget(m_utvonal);

    for (auto jel : {&data::DataSet::opened, &data::DataSet::closed, &data::DataSet::rowsReset,
                     &data::DataSet::currentChanged, &data::DataSet::afterPost, &data::DataSet::afterDelete})
        VedettKapcsol(m_dok->tabla(), jel, this, &Tfrm_Megj::utvonalMutat);
    utvonalMutat();

    RogzitettMeret(this, kSzeles, kMagas);
    SzuloKozepere(this);
}

Tfrm_Megj::~Tfrm_Megj() = default;

QString Tfrm_Megj::fajlDialogCim()
{
    return QStringLiteral("Dokumentum csatolás");
}

QString Tfrm_Megj::fajlTipusok()
{
    return QStringLiteral("Minden file (*.*)");
}

void Tfrm_Megj::uj()
{
    // Without a place nothing is chosen: the file could not be stored.
    if (!m_dok->vanHely()) {
        HibaDoboz(CsatoltDokumentumok::nincsHelyUzenet());
        return;
    }
    const QString utvonal = MegnyitFajlValaszt(this, fajlDialogCim(), fajlTipusok());
    if (!utvonal.isEmpty())
        m_dok->csatol(utvonal, QDate::currentDate());
    racs()->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Megj::torol()
{
    m_dok->torol();
    allapotFrissites();
}

void Tfrm_Megj::szerkeszt()
{
    megnyit();
}

void Tfrm_Megj::megnyit()
{
    const QString utvonal = m_dok->utvonal();
    if (utvonal.isEmpty())
        return;
    // A row may come from anyone's archive: a program starts only when the
    // user says so.
    if (KulsoProgram(utvonal)
        && !KerdesDoboz(QStringLiteral("A(z) „%1” nem dokumentum, hanem program: megnyitáskor elindul.\r\n"
                                       "Valóban elindítja?").arg(DokumentumRovidNev(utvonal)),
                        QStringLiteral("Megerősítés")))
        return;
    KulsoMegnyit(utvonal);
}

void Tfrm_Megj::utvonalMutat()
{
    const QString utvonal = m_dok->utvonal();
    m_aMegnyit->setEnabled(!utvonal.isEmpty());
    // A long path keeps its beginning and its file name.
    const int hely = kSzeles - m_utvonal->contentsMargins().left() - m_utvonal->contentsMargins().right();
    m_utvonal->setText(m_utvonal->fontMetrics().elidedText(utvonal, Qt::ElideMiddle, hely));
    m_utvonal->setToolTip(utvonal);
    m_utvonal->setCursor(utvonal.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

bool Tfrm_Megj::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_utvonal && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        Vedett([this] { megnyit(); });
        return true;
    }
    return ListaAblak::eventFilter(obj, e);
}
