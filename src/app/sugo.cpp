#include "app/sugo.h"

#include "common/keszito.h"
#include "common/programmappa.h"

namespace sugo {

QString SugoCel()
{
    return ProgramUtvonal(QStringLiteral("\\Help\\index.htm"));
}

QString DoksiCel()
{
    return ProgramUtvonal(QStringLiteral("\\Doc\\Nyugvár.pdf"));
}

QString FrissenyCel()
{
    return ProgramUtvonal(QStringLiteral("\\Frisseny.exe"));
}

QString LevelCel()
{
    return QStringLiteral("mailto:") + QLatin1String(keszito::kEmail) + QStringLiteral("?subject=Nyugvár program");
}

QString HonlapCel()
{
    return QLatin1String(keszito::kHonlapCim);
}

QString FontosSzoveg()
{
    const QString vonal(58, QLatin1Char('-'));
    const QStringList sorok = {
        vonal,
        QStringLiteral("                  Fontos információk"),
        vonal,
        QString(),
        QStringLiteral("A program belépési kódjai alapértelmezésben"),
        QStringLiteral("   felhasználó: \"rendszergazda\""),
        QStringLiteral("   jelszó:      \"kapufal\""),
        QString(),
        QStringLiteral("A felhasználó, és jelszó megadásánál a kis, és nagybetű különbsége fontos."),
        QStringLiteral("Az első belépés után érdemes új jelszót adni"),
        QStringLiteral("(Rendszer / Felhasználók)."),
        QString(),
        QStringLiteral("Hardver- és szoftverigény"),
        QStringLiteral("-------------------------"),
        QStringLiteral("- 64 bites Debian 12 (bookworm) Linux, grafikus asztallal;"),
        QStringLiteral("- a Debian Qt 6 könyvtárai (Qt 6.4 vagy újabb) és a QScintilla;"),
        QStringLiteral("- legalább 1024 × 768 képpontos képernyő, 2 GB memória,"),
        QStringLiteral("  100 MB szabad lemezterület, az adatokhoz további hely;"),
        QStringLiteral("- nyomtatáshoz a rendszerben beállított alapértelmezett nyomtató."),
        QString(),
        QStringLiteral("A programon kívül mást nem kell telepíteni: az adatbázis a"),
        QStringLiteral("program mappájában lévő Data mappában van, külön"),
        QStringLiteral("adatbázis-kezelőre nincs szükség."),
        QString(),
        QStringLiteral("A program hálózatban nem használható: egyszerre egy"),
        QStringLiteral("felhasználó dolgozik vele, egy számítógépen. Hálózati"),
        QStringLiteral("meghajtón lévő adatmappával se indítsa."),
        QString(),
        QStringLiteral("Egy számítógépen több példány is futhat, ha mindegyik saját"),
        QStringLiteral("mappába van telepítve. Minden példány a saját mappájában"),
        QStringLiteral("tartja beállításait (Nyugvar.ini) és adatait (Data), így"),
        QStringLiteral("például két cég nyilvántartása egymás mellett vezethető."),
        QString(),
        vonal,
        QStringLiteral("Készítette: Tervoda"),
        QStringLiteral("Honlap: ") + QLatin1String(keszito::kHonlap),
        QStringLiteral("Levél: ") + QLatin1String(keszito::kEmail),
        QStringLiteral("A program szabad szoftver, a GNU GPL 3. vagy későbbi"),
        QStringLiteral("változata szerint terjeszthető (GPL-3.0-or-later)."),
    };
    return sorok.join(QLatin1Char('\n'));
}

QString NevjegySzoveg()
{
    return QStringLiteral("Készítette: Tervoda\n"
                          "Licenc: GPL-3.0-or-later\n")
           + QLatin1String(keszito::kHonlap);
}

}  // namespace sugo
