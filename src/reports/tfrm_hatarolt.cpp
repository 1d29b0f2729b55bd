#include "reports/tfrm_hatarolt.h"

#include "common/ablak.h"
#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/ikonok.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/dataset.h"
#include "reports/hataroltiro.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QRadioButton *radio(QGroupBox *csoport, QVBoxLayout *sorok, const QString &felirat, const char *nev)
{
    auto *r = new QRadioButton(felirat, csoport);
    r->setObjectName(QLatin1String(nev));
    sorok->addWidget(r);
    return r;
}

QVBoxLayout *csoportSorok(QGroupBox *csoport)
{
    auto *sorok = new QVBoxLayout(csoport);
    sorok->setContentsMargins(8, 2, 8, 2);
    sorok->setSpacing(0);
    return sorok;
}

QPushButton *gomb(const QString &felirat, const char *nev, QWidget *szulo)
{
    auto *b = new QPushButton(felirat, szulo);
    b->setObjectName(QLatin1String(nev));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

Tfrm_Hatarolt::Tfrm_Hatarolt(data::DataSet &adatok, const QString &javasoltNev, QWidget *parent)
    : QDialog(parent), m_adatok(adatok)
{
    setObjectName(QStringLiteral("frm_Hatarolt"));
    setWindowTitle(QStringLiteral("Határolt szöveg export"));

    rgHatarolo = new QGroupBox(QStringLiteral("Határoló karakter"), this);
    rgHatarolo->setObjectName(QStringLiteral("rgHatarolo"));
    QVBoxLayout *h = csoportSorok(rgHatarolo);
    rbPontosvesszo = radio(rgHatarolo, h, QStringLiteral("Pontosvessző (;)"), "rbPontosvesszo");
    rbTabulator = radio(rgHatarolo, h, QStringLiteral("Tabulátor"), "rbTabulator");
    rbVesszo = radio(rgHatarolo, h, QStringLiteral("Vessző (,)"), "rbVesszo");
    rbPontosvesszo->setChecked(true);

    rgJelolo = new QGroupBox(QStringLiteral("Szövegjelölő"), this);
    rgJelolo->setObjectName(QStringLiteral("rgJelolo"));
    QVBoxLayout *j = csoportSorok(rgJelolo);
    rbIdezojel = radio(rgJelolo, j, QStringLiteral("Idézőjel (\")"), "rbIdezojel");
    rbAposztrof = radio(rgJelolo, j, QStringLiteral("Aposztróf (')"), "rbAposztrof");
    rbSemmi = radio(rgJelolo, j, QStringLiteral("Semmi"), "rbSemmi");
    rbIdezojel->setChecked(true);

    eFilenev = new QLineEdit(javasoltNev, this);
    eFilenev->setObjectName(QStringLiteral("eFilenev"));
    lFilenev = VezerloCimke(QStringLiteral("Filenév"), eFilenev, QStringLiteral("lFilenev"));
    bTallozas = new QToolButton(this);
    bTallozas->setObjectName(QStringLiteral("bTallozas"));
    QIcon mappa = TemaIkon("folder-open folder document-open");
    if (mappa.isNull())
        mappa = style()->standardIcon(QStyle::SP_DirOpenIcon);
    bTallozas->setIcon(mappa);
    bTallozas->setToolTip(QStringLiteral("Tallózás"));
    bTallozas->setAutoRaise(true);
    // A picture button beside the box, as the box's own part: no tab stop.
    bTallozas->setFocusPolicy(Qt::NoFocus);

    bMegallit = gomb(QStringLiteral("Megállít"), "bMegallit", this);
    bIndit = gomb(QStringLiteral("Export indítás"), "bIndit", this);
    bIndit->setDefault(true);
    bBezar = gomb(QStringLiteral("Bezár"), "bBezar", this);
    bMegallit->setEnabled(false);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    auto *csoportok = new QHBoxLayout;
    csoportok->addWidget(rgHatarolo, 1);
    csoportok->addWidget(rgJelolo, 1);
    auto *fajlSor = new QHBoxLayout;
    fajlSor->setSpacing(2);
    fajlSor->addWidget(eFilenev, 1);
    fajlSor->addWidget(bTallozas);
    auto *gombok = new QHBoxLayout;
    gombok->addWidget(bMegallit);
    gombok->addStretch(1);
    gombok->addWidget(bIndit);
    gombok->addWidget(bBezar);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(8, 6, 8, 4);
    fo->setSpacing(3);
    fo->addLayout(csoportok);
    fo->addSpacing(2);
    fo->addWidget(lFilenev);
    fo->addLayout(fajlSor);
    fo->addSpacing(4);
    fo->addLayout(gombok);
    fo->addStretch(1);
    fo->addWidget(ProgressBar1);

    setTabOrder(eFilenev, bIndit);
    setTabOrder(bIndit, bBezar);
    setTabOrder(bBezar, rbPontosvesszo);
    setTabOrder(rbPontosvesszo, rbTabulator);
    setTabOrder(rbTabulator, rbVesszo);
    setTabOrder(rbVesszo, bMegallit);
    setTabOrder(bMegallit, rbIdezojel);
    setTabOrder(rbIdezojel, rbAposztrof);
    setTabOrder(rbAposztrof, rbSemmi);

    RogzitettMeret(this, 355, 207);
    KepernyoKozepere(this);
    AblakSzokasok(this);
    // Enter in the file name box presses the default button and starts the
    // export; elsewhere it moves on, and never closes the window.
    EnterTabNelkul(eFilenev);

    VedettKapcsol(bTallozas, &QToolButton::clicked, this, &Tfrm_Hatarolt::tallozas);
    VedettKapcsol(bIndit, &QPushButton::clicked, this, &Tfrm_Hatarolt::inditas);
    VedettKapcsol(bMegallit, &QPushButton::clicked, this, &Tfrm_Hatarolt::megallitas);
    VedettKapcsol(bBezar, &QPushButton::clicked, this, &Tfrm_Hatarolt::reject);
    eFilenev->setFocus();
}

QString Tfrm_Hatarolt::elvalaszto() const
{
    if (rbTabulator->isChecked())
        return QStringLiteral("\t");
    return rbVesszo->isChecked() ? QStringLiteral(",") : QStringLiteral(";");
}

QString Tfrm_Hatarolt::jelolo() const
{
    if (rbAposztrof->isChecked())
        return QStringLiteral("'");
    return rbSemmi->isChecked() ? QString() : QStringLiteral("\"");
}

void Tfrm_Hatarolt::tallozas()
{
    FajlKeres keres;
    keres.mentes = true;
    keres.tipusok = QStringLiteral("CSV állományok (*.csv);;Text állományok (*.txt);;Minden állomány (*.*)");
    keres.kezdet = eFilenev->text();
    keres.kiterjesztes = QStringLiteral("csv");
    const QString nev = FajlValaszt(this, keres);
    if (!nev.isEmpty())
        eFilenev->setText(nev);
}

void Tfrm_Hatarolt::inditas()
{
    if (fut())
        return;
    const QString fajl = eFilenev->text();
    if (fajl.isEmpty()) {
        HibaDoboz(QStringLiteral("Nincs filenév megadva."));
        eFilenev->setFocus();
        return;
    }
    hatarolt::Iro iro(m_adatok, {elvalaszto(), jelolo()});
    // The walk stops now and then to let the window's events run: the stop
    // button answers and the bar moves, at a cost that no row count feels.
    iro.setHaladas([this](int sorok) {
        ProgressBar1->setValue(qMin(sorok, ProgressBar1->maximum()));
        QCoreApplication::processEvents();
    });
    m_iro = &iro;
    zarolas(true);
    ProgressBar1->setRange(0, qMax(1, m_adatok.recordCount()));
    ProgressBar1->setValue(0);
    try {
        const hatarolt::Eredmeny e = iro.ir(fajl);
        m_iro = nullptr;
        zarolas(false);
        ProgressBar1->setValue(0);
        UzenetDoboz(hatarolt::KeszUzenet(fajl, e));
    } catch (const data::DbError &h) {
        m_iro = nullptr;
        zarolas(false);
        HibaDoboz(QStringLiteral("Hiba: ") + h.message());
    } catch (const std::exception &h) {
        m_iro = nullptr;
        zarolas(false);
        HibaDoboz(QStringLiteral("Hiba: ") + QString::fromLocal8Bit(h.what()));
    }
}

void Tfrm_Hatarolt::megallitas()
{
    if (m_iro)
        m_iro->megallit();
}

// While an export runs only "Megállít" answers; the settings and the
// file stay as the run took them.
void Tfrm_Hatarolt::zarolas(bool fut)
{
    for (QWidget *w : {static_cast<QWidget *>(bIndit), static_cast<QWidget *>(bBezar),
                       static_cast<QWidget *>(rgHatarolo), static_cast<QWidget *>(rgJelolo),
                       static_cast<QWidget *>(eFilenev), static_cast<QWidget *>(bTallozas)})
        w->setEnabled(!fut);
    bMegallit->setEnabled(fut);
    if (fut)
        bMegallit->setFocus();
    else
        bIndit->setFocus();
}

void Tfrm_Hatarolt::reject()
{
    if (fut())
        return;
    QDialog::reject();
}

void Tfrm_Hatarolt::closeEvent(QCloseEvent *e)
{
    if (fut()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void HataroltExport(data::DataSet &adatok, const QString &javasoltNev, QWidget *szulo)
{
    Tfrm_Hatarolt w(adatok, javasoltNev, szulo);
    w.exec();
}
