#include "common/alkalmazas.h"

#include "common/dobozok.h"
#include "common/egergorgo.h"
#include "common/ikonok.h"
#include "common/valodidobozok.h"
#include "data/database.h"

#include <QPalette>
#include <QToolTip>
#include <exception>

Alkalmazas::Alkalmazas(int &argc, char **argv) : QApplication(argc, argv)
{
    // The program's title for the desktop. It is the application name, not
    // the display name: a display name would be appended to every caption.
    setApplicationName(QStringLiteral("Nyugvár nyilvántartás"));
    EgerGorgoBillentyuve(*this);
    ValodiDobozokTelepit();

    IkonTema();

    // Hint windows are peach coloured.
    QPalette tipp = QToolTip::palette();
    for (auto csoport : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        tipp.setColor(csoport, QPalette::ToolTipBase, QColor(0xFF, 0xDA, 0xB5));
        tipp.setColor(csoport, QPalette::ToolTipText, Qt::black);
        tipp.setColor(csoport, QPalette::Window, QColor(0xFF, 0xDA, 0xB5));
        tipp.setColor(csoport, QPalette::WindowText, Qt::black);
    }
    QToolTip::setPalette(tipp);
}

bool Alkalmazas::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const data::DbError &e) {
        hibaKijelzes(e.message());
    } catch (const std::exception &e) {
        hibaKijelzes(QString::fromUtf8(e.what()));
    }
    return false;
}

void Alkalmazas::hibaKijelzes(const QString &uzenet)
{
    HibaDoboz(uzenet);
}
