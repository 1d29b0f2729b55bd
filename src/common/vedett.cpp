#include "common/vedett.h"

#include "common/dobozok.h"
#include "data/database.h"

void VedettHibaKijelzes(const std::exception_ptr &hiba, const QString &uzenet)
{
    QString szoveg = uzenet;
    try {
        std::rethrow_exception(hiba);
    } catch (const data::DbError &e) {
        if (szoveg.isEmpty())
            szoveg = e.message();
    } catch (const std::exception &e) {
        if (szoveg.isEmpty())
            szoveg = QString::fromUtf8(e.what());
    } catch (...) {
        if (szoveg.isEmpty())
            szoveg = QStringLiteral("Váratlan hiba történt.");
    }
    // Showing the box must not raise a second error out of the slot.
    try {
        HibaDoboz(szoveg);
    } catch (...) {
        qWarning("%s", qPrintable(szoveg));
    }
}
