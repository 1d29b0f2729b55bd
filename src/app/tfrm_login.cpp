#include "app/tfrm_login.h"

#include "app/belepes.h"
#include "common/ablak.h"
#include "common/dobozok.h"
#include "common/vedett.h"
#include "data/database.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>

namespace {

// Shows the typed characters of a password box as "*".
class CsillagStilus : public QProxyStyle {
public:
    CsillagStilus() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

Tfrm_Login::Tfrm_Login(data::Database &db, QWidget *parent)
    : QDialog(parent), m_belepes(std::make_unique<Belepes>(db))
{
    setObjectName(QStringLiteral("frm_Login"));
    setWindowTitle(QStringLiteral("Belépés azonosítás"));
    setModal(true);

    edtFelhasznalo = new QLineEdit(this);
    edtFelhasznalo->setObjectName(QStringLiteral("edtFelhasznalo"));
    edtJelszo = new QLineEdit(this);
    edtJelszo->setObjectName(QStringLiteral("edtJelszo"));
    edtJelszo->setEchoMode(QLineEdit::Password);
    auto *stilus = new CsillagStilus;
    stilus->setParent(edtJelszo);
    edtJelszo->setStyle(stilus);

    auto *lblFelhasznalo = VezerloCimke(QStringLiteral("Felhasználó"), edtFelhasznalo, QStringLiteral("Label1"));
    auto *lblJelszo = VezerloCimke(QStringLiteral("Jelszó"), edtJelszo, QStringLiteral("Label2"));

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnUjJelszo = new QPushButton(QStringLiteral("Új jelszó"), this);
    btnUjJelszo->setObjectName(QStringLiteral("btnUjJelszo"));
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName(QStringLiteral("btnMegsem"));
    // No default button: Enter in a box moves on, it never logs in.
    for (QPushButton *b : {btnOK, btnUjJelszo, btnMegsem}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *racs = new QGridLayout;
    racs->setHorizontalSpacing(8);
    racs->setVerticalSpacing(6);
    racs->addWidget(lblFelhasznalo, 0, 0);
    racs->addWidget(edtFelhasznalo, 0, 1);
    racs->addWidget(lblJelszo, 1, 0);
    racs->addWidget(edtJelszo, 1, 1);

    auto *gombok = new QHBoxLayout;
    gombok->setSpacing(6);
    gombok->addWidget(btnOK);
    gombok->addWidget(btnUjJelszo);
    gombok->addWidget(btnMegsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(10, 12, 10, 10);
    fo->addLayout(racs);
    fo->addStretch(1);
    fo->addLayout(gombok);

    setTabOrder(edtFelhasznalo, edtJelszo);
    setTabOrder(edtJelszo, btnOK);
    setTabOrder(btnOK, btnUjJelszo);
    setTabOrder(btnUjJelszo, btnMegsem);

    RogzitettMeret(this, 256, 127);

    VedettKapcsol(btnOK, &QPushButton::clicked, this, &Tfrm_Login::okGomb);
    VedettKapcsol(btnUjJelszo, &QPushButton::clicked, this, &Tfrm_Login::ujJelszoGomb);
    VedettKapcsol(btnMegsem, &QPushButton::clicked, this, &QDialog::reject);

    AblakSzokasok(this);
    // A button that has the focus is pressed by Enter, as by Space.
    for (QPushButton *b : {btnOK, btnUjJelszo, btnMegsem})
        b->installEventFilter(this);
}

Tfrm_Login::~Tfrm_Login() = default;

bool Tfrm_Login::bejelentkezett() const
{
    return m_belepes->bejelentkezett();
}

void Tfrm_Login::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        KepernyoKozepere(this);
        try {
            m_belepes->megnyit();
        } catch (const data::DbError &e) {
            HibaDoboz(e.message());
        }
        edtFelhasznalo->setFocus();
    }
}

void Tfrm_Login::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_belepes->bezar();
    QDialog::hideEvent(event);
}

bool Tfrm_Login::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *gomb = qobject_cast<QPushButton *>(watched);
        auto *e = static_cast<QKeyEvent *>(event);
        if (gomb && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            gomb->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_Login::okGomb()
{
    if (m_belepes->ok(edtFelhasznalo->text(), edtJelszo->text()))
        accept();
}

void Tfrm_Login::ujJelszoGomb()
{
    m_belepes->ujJelszo(edtFelhasznalo->text(), edtJelszo->text());
}

bool BelepesAblak(data::Database &db)
{
    Tfrm_Login login(db);
    return login.exec() == QDialog::Accepted && login.bejelentkezett();
}
