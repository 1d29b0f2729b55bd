#include "bookings/tfrm_torzsfoglalo_szerkeszt.h"

#include "common/binding.h"
#include "common/irszvaros.h"
#include "common/ablak.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

Tfrm_TorzsFoglalo_Szerkeszt::Tfrm_TorzsFoglalo_Szerkeszt(SorSzerkeszto &sorok, const QString &alapVaros,
                                                         QWidget *parent)
    : SzerkesztoAblak(sorok, parent), m_alapVaros(alapVaros)
{
    setObjectName(QStringLiteral("Tfrm_TorzsFoglalo_Szerkeszt"));
    setWindowTitle(QStringLiteral("Szállás kereső"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto *altalanos = new QWidget;
    altalanos->setObjectName(QStringLiteral("TabSheet1"));
    auto *megjegyzes = new QWidget;
    megjegyzes->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(altalanos, QStringLiteral("Általános adatok"));
    PageControl1->addTab(megjegyzes, QStringLiteral("Megjegyzés"));

    DBEdit1 = mezo("DBEdit1", QStringLiteral("foglalo_nev"));
    DBEdit2 = mezo("DBEdit2", QStringLiteral("cim_irsz"));
    DBEdit3 = mezo("DBEdit3", QStringLiteral("cim_varos"));
    DBEdit4 = mezo("DBEdit4", QStringLiteral("cim_cim"));
    DBEdit5 = mezo("DBEdit5", QStringLiteral("mobil"));
    DBEdit6 = mezo("DBEdit6", QStringLiteral("telefon"));
    DBEdit7 = mezo("DBEdit7", QStringLiteral("emil"));
    QFont vastag = DBEdit1->font();
    vastag.setBold(true);
    DBEdit1->setFont(vastag);
    // A postal code is short; the box says so.
    DBEdit2->setFixedWidth(DBEdit2->fontMetrics().averageCharWidth() * 8 + 12);
    DBEdit2->installEventFilter(this);

    // Name, address and e-mail take the whole width; the postal code stands
    // before the town, the two phone numbers side by side.
    auto *racs = new QGridLayout(altalanos);
    racs->setContentsMargins(10, 10, 10, 10);
    racs->setHorizontalSpacing(8);
    racs->setVerticalSpacing(8);
    racs->setColumnStretch(1, 1);
    racs->setColumnStretch(3, 1);
    auto cimke = [](const QString &szoveg, QLineEdit *e, const char *nev) {
        return VezerloCimke(szoveg, e, QLatin1String(nev));
    };
    racs->addWidget(cimke(QStringLiteral("név"), DBEdit1, "Label1"), 0, 0);
    racs->addWidget(DBEdit1, 0, 1, 1, 3);
    racs->addWidget(cimke(QStringLiteral("irsz."), DBEdit2, "Label2"), 1, 0);
    auto *irszVaros = new QHBoxLayout;
    irszVaros->setSpacing(8);
    irszVaros->addWidget(DBEdit2);
    irszVaros->addWidget(cimke(QStringLiteral("város"), DBEdit3, "Label3"));
    irszVaros->addWidget(DBEdit3, 1);
    racs->addLayout(irszVaros, 1, 1, 1, 3);
    racs->addWidget(cimke(QStringLiteral("cím"), DBEdit4, "Label4"), 2, 0);
    racs->addWidget(DBEdit4, 2, 1, 1, 3);
    racs->addWidget(cimke(QStringLiteral("mobil"), DBEdit5, "Label5"), 3, 0);
    racs->addWidget(DBEdit5, 3, 1);
    racs->addWidget(cimke(QStringLiteral("telefon"), DBEdit6, "Label6"), 3, 2);
    racs->addWidget(DBEdit6, 3, 3);
    racs->addWidget(cimke(QStringLiteral("e-mail"), DBEdit7, "Label7"), 4, 0);
    racs->addWidget(DBEdit7, 4, 1, 1, 3);
    racs->setRowStretch(5, 1);

    DBMemo1 = new QPlainTextEdit(megjegyzes);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setAccessibleName(QStringLiteral("megjegyzés"));
    QFont egyenkozu(QStringLiteral("Liberation Mono"));
    egyenkozu.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                           QStringLiteral("DejaVu Sans Mono")});
    egyenkozu.setStyleHint(QFont::TypeWriter);
    egyenkozu.setFixedPitch(true);
    egyenkozu.setPointSizeF(font().pointSizeF());
    DBMemo1->setFont(egyenkozu);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setTabChangesFocus(true);
    auto *memoHely = new QVBoxLayout(megjegyzes);
    memoHely->setContentsMargins(4, 4, 4, 4);
    memoHely->addWidget(DBMemo1);
    kotes()->bindMemo(DBMemo1, QStringLiteral("megjegyzes"));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName(QStringLiteral("btnMegsem"));
    gombok(btnOK, btnMegsem);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(btnOK);
    gombsor->addWidget(btnMegsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(8, 8, 8, 8);
    fo->setSpacing(8);
    fo->addWidget(PageControl1, 1);
    fo->addLayout(gombsor);

    QWidget *sorrend[] = {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBEdit7, btnOK, btnMegsem};
    for (int i = 0; i + 1 < int(std::size(sorrend)); ++i)
        setTabOrder(sorrend[i], sorrend[i + 1]);

    RogzitettMeret(this, 368, 264);
    KepernyoKozepere(this);
}

Tfrm_TorzsFoglalo_Szerkeszt::~Tfrm_TorzsFoglalo_Szerkeszt() = default;

QLineEdit *Tfrm_TorzsFoglalo_Szerkeszt::mezo(const char *nev, const QString &mezoNev)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(QLatin1String(nev));
    kotes()->bindEdit(e, mezoNev);
    return e;
}

void Tfrm_TorzsFoglalo_Szerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    PageControl1->setCurrentIndex(0);
    DBEdit1->setFocus(Qt::OtherFocusReason);
}

void Tfrm_TorzsFoglalo_Szerkeszt::varosKitolt()
{
    if (adatok()->isEditing())
        CimVarosKitolt(*adatok(), QStringLiteral("cim_irsz"), QStringLiteral("cim_varos"), m_alapVaros);
}

bool Tfrm_TorzsFoglalo_Szerkeszt::eventFilter(QObject *obj, QEvent *event)
{
    // Leaving the box for another control runs the lookup, changed or not;
    // the window merely losing the focus to another window does not.
    if (obj == DBEdit2 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
        if (ok != Qt::ActiveWindowFocusReason && ok != Qt::PopupFocusReason)
            Vedett([this] { varosKitolt(); });
    }
    return SzerkesztoAblak::eventFilter(obj, event);
}
