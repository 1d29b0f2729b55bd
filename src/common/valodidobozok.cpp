#include "common/valodidobozok.h"

#include "common/bekerodoboz.h"
#include "common/dobozok.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The window the boxes belong to: the open modal window, or else the active
// one, so a box never hides behind its window.
QWidget *szuloAblak()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

class ValodiDobozok : public DobozSzolgaltatas {
public:
    bool kerdes(const QString &szoveg, const QString &cim) override
    {
        QMessageBox box(QMessageBox::Question, cim, szoveg, QMessageBox::NoButton, szuloAblak());
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

private:
    static void egyGomb(QMessageBox::Icon ikon, const QString &cim, const QString &szoveg)
    {
        QMessageBox box(ikon, cim, szoveg, QMessageBox::NoButton, szuloAblak());
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
