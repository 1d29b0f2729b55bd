#include "common/valodidobozok.h"

#include "common/bekerodoboz.h"
#include "common/dobozok.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

// The window the boxes belong to: the open modal window, or else the active
// one, so a box never hides behind its window.
QWidget *szuloAblak()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

// How many characters a wrapped line of a box holds, about; a longer line
// takes several, and one longer than a few of them is cut.
constexpr int kSorHossz = 60;
constexpr int kMaxSorHossz = 4 * kSorHossz;
// The caption, the button row and the margins, in pixels.
constexpr int kKeret = 180;

// A line as the box shows it: cut when it is far too long.
QString rovidSor(QString sor)
{
    if (sor.endsWith(QLatin1Char('\r')))
        sor.chop(1);
    if (sor.size() > kMaxSorHossz)
        sor = sor.left(kMaxSorHossz) + QChar(0x2026);
    return sor;
}

int sorIgeny(const QString &sor)
{
    return 1 + int(sor.size()) / kSorHossz;
}

// The text cut to what the screen holds: its first lines, how many more
// there were, and its last line (a question's question). A list of sixty
// faults stays a box with its buttons on the screen.
QString kepernyonyi(const QString &szoveg, const QWidget *szulo)
{
    const QScreen *kepernyo = szulo ? szulo->screen() : QGuiApplication::primaryScreen();
    const int magassag = kepernyo ? kepernyo->availableGeometry().height() : 600;
    const int sorMagassag = std::max(1, QFontMetrics(QApplication::font("QMessageBox")).lineSpacing());
    int hely = (magassag - kKeret) / sorMagassag;

    QStringList sorok = szoveg.split(QLatin1Char('\n'));
    int igeny = 0;
    for (const QString &sor : qAsConst(sorok))
        igeny += sorIgeny(rovidSor(sor));
    if (igeny <= hely)
        return szoveg;

    const QString utolso = rovidSor(sorok.takeLast());
    // The last line and the count keep their room.
    hely -= sorIgeny(utolso) + 1;
    QStringList marad;
    for (const QString &sor : qAsConst(sorok)) {
        const QString rovid = rovidSor(sor);
        if (sorIgeny(rovid) > hely)
            break;
        hely -= sorIgeny(rovid);
        marad << rovid;
    }
    marad << QStringLiteral("… és további %1 sor …").arg(sorok.size() - marad.size()) << utolso;
    return marad.join(QStringLiteral("\r\n"));
}

class ValodiDobozok : public DobozSzolgaltatas {
public:
    bool kerdes(const QString &szoveg, const QString &cim) override
    {
        QWidget *szulo = szuloAblak();
        QMessageBox box(QMessageBox::Question, cim, kepernyonyi(szoveg, szulo), QMessageBox::NoButton, szulo);
        QPushButton *igen = box.addButton(QStringLiteral("Igen"), QMessageBox::YesRole);
        QPushButton *nem = box.addButton(QStringLiteral("Nem"), QMessageBox::NoRole);
        box.setDefaultButton(igen);
        box.setEscapeButton(nem);
        box.exec();
        return box.clickedButton() == igen;
    }

    void hiba(const QString &szoveg) override { egyGomb(QMessageBox::Critical, QStringLiteral("Hiba"), szoveg); }

    void uzenet(const QString &szoveg) override
    {
        egyGomb(QMessageBox::Information, QStringLiteral("Üzenet"), szoveg);
    }

    bool beker(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg) override
    {
        BekeroAblak ablak(cim, kerdes, maszk, szoveg, szuloAblak());
        if (ablak.exec() != QDialog::Accepted)
            return false;
        szoveg = ablak.szoveg();
        return true;
    }

    bool jelszo(const QString &cim, const QString &kerdes, QString &jelszo) override
    {
        BekeroAblak ablak(cim, kerdes, QString(), QString(), szuloAblak());
        ablak.szerkeszto()->setEchoMode(QLineEdit::Password);
        if (ablak.exec() != QDialog::Accepted)
            return false;
        jelszo = ablak.szoveg();
        return true;
    }

private:
    static void egyGomb(QMessageBox::Icon ikon, const QString &cim, const QString &szoveg)
    {
        QWidget *szulo = szuloAblak();
        QMessageBox box(ikon, cim, kepernyonyi(szoveg, szulo), QMessageBox::NoButton, szulo);
        QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
    }
};

}  // namespace

void ValodiDobozokTelepit()
{
    static ValodiDobozok valodi;
    setAlapDobozSzolgaltatas(&valodi);
}
