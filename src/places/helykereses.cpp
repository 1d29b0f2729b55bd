#include "places/helykereses.h"

#include "common/dobozok.h"
#include "data/database.h"
#include "data/engine.h"
#include "data/table.h"

#include <QLocale>
#include <QSet>

QString KeresesiAlak(const QString &szoveg)
{
    return QLocale().toLower(szoveg);
}

namespace {

// The row text before lower-casing: one conversion per row instead of one
// per field.
QString nyersSorSzoveg(const data::DataSet &ds, int sor)
{
    const data::Row ertekek = ds.valuesAt(sor);
    QString szoveg;
    szoveg.reserve(512);
    for (int f = 0; f < ds.fieldCount(); ++f) {
        const QVariant &v = ertekek[f];
        // Texts, most of a row, are taken as they are.
        if (v.typeId() == QMetaType::QString)
            szoveg += *static_cast<const QString *>(v.constData());
        else
            szoveg += data::DataSet::plainText(v, ds.field(f).def);
    }
    return szoveg;
}

// The first row from `sor` on in steps of `lepes` whose text holds `minta`;
// -1 when none. Only the rows that `lehet` marks are read, every row when
// it is empty.
int elsoTalalat(const data::DataSet &ds, const QString &minta, int sor, int lepes, const QVector<bool> &lehet)
{
    const QLocale helyi;
    for (const int n = ds.recordCount(); sor >= 0 && sor < n; sor += lepes)
        if ((lehet.isEmpty() || lehet[sor]) && helyi.toLower(nyersSorSzoveg(ds, sor)).contains(minta))
            return sor;
    return -1;
}

// ---- the engine's share -----------------------------------------------------
//
// Reading and lower-casing every field of every row here costs many times
// what the engine needs to look for the text itself. The engine sets the
// case of ASCII letters aside and nothing else, so it gets a looser
// pattern, in which every character it could miss is a gap: the rows it
// returns are candidates, each checked by its row text above, and a row it
// leaves out cannot match.

// The candidate pattern (LIKE, a backslash escaping) of a search text in
// KeresesiAlak: its ASCII characters as they are, and a gap for every run
// of the others and of "i" and "k", which a non-ASCII capital also gives
// (the dotted I, the Kelvin sign).
QString jeloltMinta(const QString &minta)
{
    QString p = QStringLiteral("%");
    bool res = true;
    for (const QChar c : minta) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || u == u'i' || u == u'k') {
            if (!res)
                p += QLatin1Char('%');
            res = true;
            continue;
        }
        if (u == u'%' || u == u'_' || u == u'\\')
            p += QLatin1Char('\\');
        p += c;
        res = false;
    }
    if (!res)
        p += QLatin1Char('%');
    return p;
}

// A number field's text as the engine writes it (Engine::numberText).
QString szamSzovege(const data::Database &db, const QString &oszlop)
{
    return db.engine().numberText(oszlop, QLocale().decimalPoint());
}

// Whether the engine writes numbers as the row text does, but for the case
// of ASCII letters, tried on numbers of every form (whole, negative,
// fractions, exponents).
bool szamokEgyeznek(data::Database &db)
{
    static const double kMintak[] = {0, -12, 12.5, -0.03125, 123456.789, 0.1, 1.5e20, 1e-7, 98765432109876.5};
    const QString kifejezes = szamSzovege(db, QStringLiteral("minta.x"));
    if (kifejezes.isEmpty())
        return false;
    const auto st = db.prepare(QStringLiteral("SELECT %1 FROM (SELECT ? AS x) AS minta").arg(kifejezes));
    const schema::FieldDef szam{QString(), schema::FieldType::Float};
    for (const double d : kMintak) {
        st->bind(0, d);
        // Letter case aside, as the engine compares ("1,5E+20").
        const bool egyezik = st->next()
                             && st->value(0).toString().compare(data::DataSet::plainText(d, szam), Qt::CaseInsensitive) == 0;
        st->reset();
        if (!egyezik)
            return false;
    }
    return true;
}

// A field's text as the engine writes it, null for an empty field; empty
// when the field has no form there that surely equals its plain text.
QString mezoSzovege(const data::Table &t, const data::Field &f)
{
    using T = schema::FieldType;
    QString s;
    if (f.kind == data::FieldKind::Lookup) {
        const schema::LookupDef &l = t.tableDef().lookups[f.lookup];
        s = QStringLiteral("(SELECT lk.%1 FROM %2 AS lk WHERE lk.%3 = t.%4 LIMIT 1)")
                .arg(schema::quoted(l.resultField), schema::quoted(l.table), schema::quoted(l.tableKey),
                     schema::quoted(t.field(f.keyField).def.name));
    } else if (f.kind == data::FieldKind::Stored) {
        const QString oszlop = QStringLiteral("t.") + schema::quoted(f.def.name);
        switch (f.def.type) {
        case T::Text:
        case T::Memo:
        case T::Integer:
        case T::AutoInc: s = oszlop; break;
        case T::Float: s = szamSzovege(t.database(), oszlop); break;
        default: break;
        }
    }
    return s;
}

// The statement that returns the identities of the candidate rows, with
// the pattern to bind; empty when some field cannot be written there.
QString jeloltekUtasitasa(const data::Table &t)
{
    QStringList mezok;
    for (int f = 0; f < t.fieldCount(); ++f) {
        const QString m = mezoSzovege(t, t.field(f));
        if (m.isEmpty())
            return QString();
        mezok << m;
    }
    const data::Engine &motor = t.database().engine();
    return QStringLiteral("SELECT t.%1 FROM %2 AS t WHERE %3 %4 ? ESCAPE '\\'")
        .arg(t.keyColumn(), schema::quoted(t.tableName()), motor.joinedText(mezok), motor.caseBlindLike());
}

// Which visible rows may hold `minta`, as the engine finds them; empty
// when the engine cannot tell (every row must then be read).
QVector<bool> lehetsegesSorok(data::DataSet &ds, const QString &minta)
{
    auto *t = qobject_cast<data::Table *>(&ds);
    if (!t)
        return {};
    QSet<qint64> jeloltek;
    try {
        const QString sql = jeloltekUtasitasa(*t);
        if (sql.isEmpty() || !szamokEgyeznek(t->database()))
            return {};
        const auto st = t->database().prepare(sql);
        st->bind(0, jeloltMinta(minta));
        while (st->next())
            jeloltek.insert(st->value(0).toLongLong());
    } catch (const data::DbError &) {
        // An engine that lacks a function used here: every row is read,
        // and a fault of the register shows there.
        return {};
    }
    QVector<bool> lehet(t->recordCount(), false);
    if (!jeloltek.isEmpty()) {
        const QVector<qint64> &azonositok = t->rowIds();
        for (int r = 0; r < azonositok.size(); ++r)
            lehet[r] = jeloltek.contains(azonositok[r]);
    }
    return lehet;
}

}  // namespace

QString SorSzoveg(const data::DataSet &ds, int sor)
{
    return KeresesiAlak(nyersSorSzoveg(ds, sor));
}

KeresesEredmeny HelyKereses(data::DataSet &ds, const QString &szoveg, KeresesIrany &irany)
{
    const QString minta = KeresesiAlak(szoveg);
    if (minta.isEmpty()) {
        HibaDoboz(QStringLiteral("Add meg a keresendő szöveget!"));
        return KeresesEredmeny::NincsSzoveg;
    }
    int kezdo = ds.currentRow();
    int lepes = 1;
    switch (irany) {
    case KeresesIrany::ElejetolLefele:
        kezdo = 0;
        irany = KeresesIrany::Lefele;
        break;
    case KeresesIrany::Lefele: ++kezdo; break;
    case KeresesIrany::Felfele:
        --kezdo;
        lepes = -1;
        break;
    }
    int talalat = -1;
    {
        // The rows are read where they stand, without moving the current
        // row through them; grids and bound controls hear of the end only.
        data::ControlsDisabled csendben(ds);
        talalat = elsoTalalat(ds, minta, kezdo, lepes, lehetsegesSorok(ds, minta));
        ds.setCurrentRow(talalat >= 0 ? talalat : (lepes > 0 ? ds.recordCount() - 1 : 0));
    }
    if (talalat >= 0)
        return KeresesEredmeny::Talalt;
    UzenetDoboz(QStringLiteral("A keresés elérte a tartomány elejét/végét."));
    return KeresesEredmeny::Vege;
}
