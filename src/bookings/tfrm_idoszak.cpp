#include "bookings/tfrm_idoszak.h"

#include "common/ablak.h"
#include "common/vedett.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kHonapok[] = {"Január",  "Február", "Március",   "Április", "Május",    "Június",
                                "Július",  "Augusztus", "Szeptember", "Október", "November", "December"};

// The locale writes the month in lower case; the entry shows it with its
// capital, which leaves the text as long as before, so the entry's
// sections stay where the locale put them.
QString nagyKezdobetuvel(QString szoveg, const QLocale &helyi, int honap)
{
    const QString kicsi = helyi.monthName(honap, QLocale::LongFormat);
    const qsizetype hol = szoveg.indexOf(kicsi);
    if (hol >= 0 && !kicsi.isEmpty())
        szoveg[hol] = szoveg[hol].toUpper();
    return szoveg;
}

}  // namespace

HonapNevesDatum::HonapNevesDatum(QWidget *parent) : QDateEdit(parent)
{
    setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    setDisplayFormat(QStringLiteral("yyyy. MMMM d."));
}

QString HonapNevesDatum::honapNev(int honap)
{
    return honap >= 1 && honap <= 12 ? QString::fromUtf8(kHonapok[honap - 1]) : QString();
}

QString HonapNevesDatum::textFromDateTime(const QDateTime &dt) const
{
    return nagyKezdobetuvel(QDateEdit::textFromDateTime(dt), locale(), dt.date().month());
}

// The locale reads its month names in lower case only.
QDateTime HonapNevesDatum::dateTimeFromText(const QString &text) const
{
    return QDateEdit::dateTimeFromText(locale().toLower(text));
}

QValidator::State HonapNevesDatum::validate(QString &text, int &pos) const
{
    QString kicsi = locale().toLower(text);
    const QValidator::State s = QDateEdit::validate(kicsi, pos);
    if (s == QValidator::Acceptable) {
        const QDateTime dt = QDateEdit::dateTimeFromText(kicsi);
        if (dt.isValid())
            text = textFromDateTime(dt);
    }
    return s;
}

Tfrm_Idoszak::Tfrm_Idoszak(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Idoszak"));
    setWindowTitle(QStringLiteral("Időszak megadása"));

    eAlso = new HonapNevesDatum(this);
    eAlso->setObjectName(QStringLiteral("eAlso"));
    eAlso->setAccessibleName(QStringLiteral("tól"));
    eFelso = new HonapNevesDatum(this);
    eFelso->setObjectName(QStringLiteral("eFelso"));
    eFelso->setAccessibleName(QStringLiteral("ig"));

    bOK = new QPushButton(QStringLiteral("OK"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    bMegsem->setObjectName(QStringLiteral("bMegsem"));
    for (QPushButton *b : {bOK, bMegsem})
        b->setAutoDefault(false);

    auto *gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(bOK);
    gombok->addWidget(bMegsem);
    gombok->addStretch(1);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(24, 12, 24, 10);
    fo->setSpacing(6);
    fo->addWidget(eAlso);
    fo->addWidget(eFelso);
    fo->addStretch(1);
    fo->addLayout(gombok);

    setTabOrder(eAlso, eFelso);
    setTabOrder(eFelso, bOK);
    setTabOrder(bOK, bMegsem);

    RogzitettMeret(this, 253, 129);
    KepernyoKozepere(this);
    AblakSzokasok(this);

    VedettKapcsol(bOK, &QPushButton::clicked, this, &QDialog::accept);
    VedettKapcsol(bMegsem, &QPushButton::clicked, this, &QDialog::reject);
    eAlso->setFocus();
}

bool IdoszakBeker(QDate &tol, QDate &ig, QWidget *szulo)
{
    Tfrm_Idoszak d(szulo);
    d.eAlso->setDate(tol);
    d.eFelso->setDate(ig);
    if (d.exec() != QDialog::Accepted)
        return false;
    tol = d.eAlso->date();
    ig = d.eFelso->date();
    return true;
}
