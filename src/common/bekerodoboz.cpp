#include "common/bekerodoboz.h"

#include "common/ablak.h"
#include "common/vedett.h"
#include "data/formats.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QtMath>

namespace {
// Longest text the input dialog accepts.
constexpr int kMaxHossz = 255;
}

double BekeroAblak::atlagosKarakter(const QFont &font)
{
    static const QString betuk = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(font).horizontalAdvance(betuk) / 52.0;
}

BekeroAblak::BekeroAblak(const QString &cim, const QString &kerdes, const QString &maszk,
                         const QString &szoveg, QWidget *parent)
    : QDialog(parent), m_maszk(maszk)
{
    setWindowTitle(cim);
    setModal(true);

    m_kerdes = new QLabel(kerdes, this);
    m_kerdes->setObjectName(QStringLiteral("lblKerdes"));
    m_kerdes->setWordWrap(true);
    m_kerdes->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtSzoveg"));
    m_edit->setMaxLength(kMaxHossz);
    m_kerdes->setBuddy(m_edit);
    const data::EditMask mask(maszk);
    if (!mask.isEmpty()) {
        m_edit->setInputMask(mask.inputMask());
        m_edit->setText(mask.toEdit(szoveg));
    } else {
        m_edit->setText(szoveg);
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    m_megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    m_megsem->setObjectName(QStringLiteral("btnMegsem"));
    m_megsem->setAutoDefault(false);
    VedettKapcsol(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    VedettKapcsol(m_megsem, &QPushButton::clicked, this, &QDialog::reject);

    // Everything is measured in average character widths (x) and in eighths
    // of the line height (y), so the dialog keeps its shape at any font.
    const double x = atlagosKarakter(font());
    const int y = QFontMetrics(font()).height();
    const int bal = qRound(2 * x);
    const int szeles = qRound(41 * x);

    int felso = y;
    const int kerdesMagas = qMax(m_kerdes->heightForWidth(szeles), y);
    m_kerdes->setGeometry(bal, felso, szeles, kerdesMagas);
    felso += kerdesMagas + qMax(4, y / 3);

    const int editMagas = m_edit->sizeHint().height();
    m_edit->setGeometry(bal, felso, szeles, editMagas);
    felso += editMagas + y;

    const int gombSzeles = qMax(qRound(12.5 * x), m_megsem->sizeHint().width());
    const int gombMagas = qMax(qRound(14 * y / 8.0), m_ok->sizeHint().height());
    const int ablakSzeles = qRound(45 * x);
    const int koz = qRound(1.5 * x);
    const int gombBal = (ablakSzeles - 2 * gombSzeles - koz) / 2;
    m_ok->setGeometry(gombBal, felso, gombSzeles, gombMagas);
    m_megsem->setGeometry(gombBal + gombSzeles + koz, felso, gombSzeles, gombMagas);
    felso += gombMagas + y;

    RogzitettMeret(this, ablakSzeles, felso);
    KepernyoKozepere(this);
}

QString BekeroAblak::szoveg() const
{
    const data::EditMask mask(m_maszk);
    if (mask.isEmpty())
        return m_edit->text();
    return mask.toStored(m_edit->displayText());
}

void BekeroAblak::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}
