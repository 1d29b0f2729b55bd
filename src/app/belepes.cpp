#include "app/belepes.h"

#include "common/dobozok.h"
#include "data/database.h"
#include "data/table.h"

#include <QDateTime>

Belepes::Belepes(data::Database &db)
    : m_db(db), m_tabla(std::make_unique<data::Table>(db, QStringLiteral("felhasznalo")))
{
    m_tabla->setIndexFieldNames(QStringLiteral("felhasznalo"));
}

Belepes::~Belepes() = default;

void Belepes::megnyit()
{
    if (!m_tabla->isOpen())
        m_tabla->open();
}

void Belepes::bezar()
{
    if (m_tabla->isOpen()) {
        if (m_tabla->isEditing())
            m_tabla->cancel();
        m_tabla->close();
    }
}

bool Belepes::nyitva() const
{
    return m_tabla->isOpen();
}

bool Belepes::ellenoriz(const QString &felhasznalo, const QString &jelszo)
{
    megnyit();
    data::Table &t = *m_tabla;
    if (t.isEditing())
        t.cancel();
    // The first user of that exact name in name order. A plain comparison,
    // not a find: the find may fold case or accents, the login must not.
    const int nevMezo = t.requireField(QStringLiteral("felhasznalo"));
    const int n = t.recordCount();
    int talalt = -1;
    for (int i = 0; i < n; ++i) {
        if (t.valueAt(i, nevMezo).toString() == felhasznalo) {
            talalt = i;
            break;
        }
    }
    if (talalt >= 0) {
        t.setCurrentRow(talalt);
        const QString tarolt = t.asString(QStringLiteral("jelszo"));
        if (!tarolt.isEmpty() && tarolt == jelszo)
            return true;
    }
    HibaDoboz(QStringLiteral("Érvénytelen felhasználó, vagy jelszó"));
    return false;
}

bool Belepes::ok(const QString &felhasznalo, const QString &jelszo)
{
    data::Table naplo(m_db, QStringLiteral("naplo"));
    try {
        // Data opened for reading only (a full disk) keep no log of logins:
        // refusing the login for it would leave the data out of reach.
        if (!m_db.writeProblem().isEmpty()) {
            m_bejelentkezett = ellenoriz(felhasznalo, jelszo);
            return m_bejelentkezett;
        }
        naplo.open();
        naplo.insert();
        naplo.setValue(QStringLiteral("felhasznalo"), felhasznalo);
        naplo.setValue(QStringLiteral("datum"), QDateTime::currentDateTime());
        m_bejelentkezett = ellenoriz(felhasznalo, jelszo);
        naplo.setValue(QStringLiteral("sikeres"),
                       m_bejelentkezett ? QStringLiteral("I") : QStringLiteral("N"));
        naplo.post();
        naplo.close();
    } catch (const data::DbError &e) {
        if (naplo.isEditing())
            naplo.cancel();
        HibaDoboz(e.message());
        m_bejelentkezett = false;
    }
    return m_bejelentkezett;
}

bool Belepes::ujJelszo(const QString &felhasznalo, const QString &jelszo)
{
    try {
        if (!ellenoriz(felhasznalo, jelszo))
            return false;
        QString uj;
        if (!BekeroDoboz(QStringLiteral("Jelszó megadása"), QStringLiteral("Add meg az új jelszót"),
                         QString(), uj))
            return false;
        QString ujra;
        if (!BekeroDoboz(QStringLiteral("Megerősítés"), QStringLiteral("Add újra az új jelszót"),
                         QString(), ujra))
            return false;
        if (uj != ujra) {
            HibaDoboz(QStringLiteral("A megadott jelszavak nem egyezőek"));
            return false;
        }
        m_tabla->edit();
        m_tabla->setValue(QStringLiteral("jelszo"), uj);
        m_tabla->post();
    } catch (const data::DbError &e) {
        if (m_tabla->isEditing())
            m_tabla->cancel();
        HibaDoboz(e.message());
        return false;
    }
    UzenetDoboz(QStringLiteral("Jelszó változtatás kész."));
    return true;
}
