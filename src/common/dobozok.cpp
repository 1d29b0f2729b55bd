#include "common/dobozok.h"

#include <QDebug>

namespace {

// Without a screen (a tool, a logic test) the texts go to the error output
// and every question is answered no.
class SzovegesDobozok : public DobozSzolgaltatas {
public:
    bool kerdes(const QString &szoveg, const QString &cim) override
    {
        qWarning().noquote() << cim << ":" << szoveg << "-> Nem";
        return false;
    }
    void hiba(const QString &szoveg) override { qWarning().noquote() << "Hiba:" << szoveg; }
    void uzenet(const QString &szoveg) override { qWarning().noquote() << "Üzenet:" << szoveg; }
    bool beker(const QString &cim, const QString &, const QString &, QString &) override
    {
        qWarning().noquote() << cim << "-> Mégsem";
        return false;
    }
};

SzovegesDobozok g_szoveges;
DobozSzolgaltatas *g_alap = nullptr;
DobozSzolgaltatas *g_szolgaltatas = nullptr;

DobozSzolgaltatas &szolgaltatas()
{
    if (g_szolgaltatas)
        return *g_szolgaltatas;
    return g_alap ? *g_alap : static_cast<DobozSzolgaltatas &>(g_szoveges);
}

}  // namespace

void setDobozSzolgaltatas(DobozSzolgaltatas *s)
{
    g_szolgaltatas = s;
}

void setAlapDobozSzolgaltatas(DobozSzolgaltatas *s)
{
    g_alap = s;
}

bool KerdesDoboz(const QString &szoveg, const QString &cim)
{
    return szolgaltatas().kerdes(szoveg, cim);
}

void HibaDoboz(const QString &szoveg)
{
    szolgaltatas().hiba(szoveg);
}

void UzenetDoboz(const QString &szoveg)
{
    szolgaltatas().uzenet(szoveg);
}

bool BekeroDoboz(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg)
{
    return szolgaltatas().beker(cim, kerdes, maszk, szoveg);
}

bool JelszoDoboz(const QString &cim, const QString &kerdes, QString &jelszo)
{
    return szolgaltatas().jelszo(cim, kerdes, jelszo);
}
