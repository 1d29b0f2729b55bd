#include "data/schema.h"

namespace schema {

namespace {

using T = FieldType;

FieldDef text(const char *name, int size, const char *label = "", const char *mask = "")
{
    return {QString::fromUtf8(name), T::Text, size, QString::fromUtf8(label), QString(),
            QString::fromUtf8(mask)};
}

FieldDef typed(const char *name, T type, const char *label = "", const char *format = "")
{
    return {QString::fromUtf8(name), type, 0, QString::fromUtf8(label), QString::fromUtf8(format),
            QString()};
}

LookupDef lookup(const char *name, int size, const char *label, const char *keyField,
                 const char *table, const char *tableKey, const char *resultField)
{
    LookupDef l;
    l.field = text(name, size, label);
    l.keyField = QString::fromUtf8(keyField);
    l.table = QString::fromUtf8(table);
    l.tableKey = QString::fromUtf8(tableKey);
    l.resultField = QString::fromUtf8(resultField);
    return l;
}

IndexDef index(const char *name, QStringList fields, bool unique = false, bool descending = false)
{
    return {QString::fromUtf8(name), fields, descending, unique};
}

const char *const kAmount = "### ### ##0";
const char *const kPercent = "##0.00%";
const char *const kDayMask = "!90.00;1;_";

QVector<TableDef> buildTables()
{
    QVector<TableDef> all;

    TableDef ugyfel;
    ugyfel.name = "ugyfel";
    ugyfel.autoKey = "ugyfel";
    ugyfel.fields = {
        typed("ugyfel", T::AutoInc),
        text("ugyfel_nev", 75, "szálláshely"),
        typed("sorszam", T::Integer, "sorszám", "00000"),
        typed("tipus", T::Integer),
        text("aktiv", 1, "aktív"),
        text("cim_orszag", 6, "ország"),
        text("cim_irsz", 6, "irsz"),
        text("cim_varos", 25, "város"),
        text("cim_cim", 50, "cím"),
        text("lev_orszag", 6, "lev.ország"),
        text("lev_irsz", 6, "lev.irsz"),
        text("lev_varos", 25, "lev.város"),
        text("lev_cim", 50, "lev.cím"),
        text("honlap", 75),
        typed("letszam", T::Integer, "létszám"),
        text("tol", 5, "tól", kDayMask),
        text("ig", 5, "", kDayMask),
        text("udulesicsekk", 1, "ü.cs."),
        text("kapcsolat", 50, "kapcsolattartó"),
        text("kapcs_mobil", 25, "mobil 1."),
        text("kapcs_mobil2", 25, "mobil 2."),
        text("kapcs_telefon", 25, "telefon"),
        text("kapcs_fax", 25, "fax"),
        text("kapcs_emil", 75, "email"),
        text("tulajdonos", 50),
        text("tul_mobil", 25, "tul.mobil 1."),
        text("tul_mobil2", 25, "tul.mobil 2."),
        text("tul_telefon", 25, "tul.telefon"),
        text("tul_fax", 25, "tul.fax"),
        text("tul_emil", 75, "tul.email"),
        text("bankszamla", 24, "bankszámla", "AAAAAAAA-AAAAAAAA-AAAAAAAA;0;_"),
        typed("jutalek", T::Float, "jutalék %", kPercent),
        typed("ossz_dij", T::Float, "össz.díj", kAmount),
        typed("ossz_jut", T::Float, "össz.jutalék", kAmount),
        typed("megjegyzes", T::Memo, "megjegyzés"),
        typed("terulet", T::Integer),
        typed("szolgaltatas", T::Memo),
    };
    ugyfel.lookups = {
        lookup("tipus_nev", 25, "típus", "tipus", "tipus", "Tipus", "Tipus_nev"),
        lookup("terulet_nev", 25, "terület", "terulet", "terulet", "terulet", "terulet_nev"),
    };
    ugyfel.indexes = {
        index("ugyfel_sorszam", {"sorszam"}),
        index("ugyfel_nev_idx", {"ugyfel_nev"}),
        index("ugyfel_orszag", {"cim_orszag"}),
        index("ugyfel_irsz", {"cim_irsz"}),
        index("ugyfel_terulet", {"terulet"}),
        index("ugyfel_tipus", {"tipus"}),
    };
    for (FieldDef &f : ugyfel.fields)
        f.runningTotal = f.name == QLatin1String("ossz_dij") || f.name == QLatin1String("ossz_jut");
    all << ugyfel;

    TableDef foglalas;
    foglalas.name = "foglalas";
    foglalas.autoKey = "foglalas";
    foglalas.fields = {
        typed("foglalas", T::AutoInc),
        typed("foglalaz", T::Integer, "sorszám", "00000"),
        typed("ugyfel", T::Integer),
        typed("dat_tol", T::Date, "tól"),
        typed("dat_ig", T::Date, "ig"),
        typed("nap", T::Integer),
        typed("foglalo", T::Integer),
        typed("letszam_felnott", T::Integer, "felnőtt"),
        typed("letszam_gyerek", T::Integer, "gyermek"),
        typed("fizmod", T::Integer),
        typed("jutalek", T::Float, "jutalék%", kPercent),
        typed("ossz_dij", T::Float, "össz.díj", kAmount),
        typed("ossz_jut", T::Float, "össz.jut", kAmount),
        typed("megjegyzes", T::Memo),
        typed("ar_fogl", T::Float, "", kAmount),
        typed("ar_helyszin", T::Float, "", kAmount),
    };
    foglalas.lookups = {
        lookup("foglalo_nev", 50, "ügyfél", "foglalo", "foglalo", "foglalo", "foglalo_nev"),
        lookup("fizmod_nev", 25, "fiz.mód", "fizmod", "fizmod", "fizmod", "fizmod_nev"),
    };
    foglalas.indexes = {
        index("foglalas_ugyfel", {"ugyfel", "foglalas"}),
        index("foglalas_foglalaz", {"foglalaz"}, true),  // one number, one booking
        index("foglalas_foglalo", {"foglalo"}),
        index("foglalas_dat_tol", {"dat_tol"}),
    };
    all << foglalas;

    TableDef foglalo;
    foglalo.name = "foglalo";
    foglalo.autoKey = "foglalo";
    foglalo.fields = {
        typed("foglalo", T::AutoInc),
        text("foglalo_nev", 50, "név"),
        text("cim_irsz", 6, "irsz."),
        text("cim_varos", 25, "város"),
        text("cim_cim", 50, "cím"),
        text("mobil", 25),
        text("telefon", 25),
        text("emil", 75, "e-mail"),
        typed("megjegyzes", T::Memo, "megjegyzés"),
    };
    foglalo.indexes = {index("foglalo_nev_idx", {"foglalo_nev"})};
    all << foglalo;

    TableDef tipus;
    tipus.name = "tipus";
    tipus.fields = {typed("Tipus", T::Integer), text("Tipus_nev", 25)};
    tipus.indexes = {index("tipus_kulcs", {"Tipus"}, true)};
    all << tipus;

    TableDef terulet;
    terulet.name = "terulet";
    terulet.autoKey = "terulet";
    terulet.fields = {typed("terulet", T::AutoInc), text("terulet_nev", 25)};
    all << terulet;

    TableDef fizmod;
    fizmod.name = "fizmod";
    fizmod.autoKey = "fizmod";
    fizmod.fields = {typed("fizmod", T::AutoInc), text("fizmod_nev", 25)};
    all << fizmod;

    TableDef cimke;
    cimke.name = "cimke";
    cimke.fields = {
        text("cimke", 25, "címke"),
        typed("felsomargo", T::Float, "felső", "### ### ##0.00"),
        typed("szelsomargo", T::Float, "szélső", "### ### ##0.00"),
        typed("cimkemagas", T::Float, "magas", "### ### ##0.00"),
        typed("oszlop", T::Integer),
    };
    cimke.indexes = {index("cimke_kulcs", {"cimke"}, true)};
    all << cimke;

    TableDef megj;
    megj.name = "megj";
    megj.fields = {
        typed("ugyfel", T::Integer),
        text("doknev", 0),
        text("doknev_rovid", 0),
        typed("datum", T::Date),
    };
    megj.indexes = {index("megj_kulcs", {"ugyfel", "doknev"}, true)};
    all << megj;

    TableDef ugyfMegj;
    ugyfMegj.name = "ugyf_megj";
    ugyfMegj.autoKey = "ugyf_megj";
    ugyfMegj.fields = {
        typed("ugyf_megj", T::AutoInc),
        typed("ugyfel", T::Integer),
        typed("datum", T::Date),
        text("rovid", 50),
        typed("megjegyzes", T::Memo),
    };
    ugyfMegj.indexes = {
        index("idx_datum_desc", {"datum"}, false, true),
        index("ugyf_megj_ugyfel", {"ugyfel"}),
    };
    all << ugyfMegj;

    TableDef felhasznalo;
    felhasznalo.name = "felhasznalo";
    felhasznalo.fields = {
        text("felhasznalo", 20),
        text("felhasznalo_nev", 20),
        text("jelszo", 10),
        text("rendszergazda", 1),
        text("torzsszerkeszt", 1),
    };
    felhasznalo.indexes = {index("felhasznalo_kulcs", {"felhasznalo"}, true)};
    all << felhasznalo;

    TableDef naplo;
    naplo.name = "naplo";
    naplo.fields = {text("felhasznalo", 0), typed("datum", T::Timestamp), text("sikeres", 0)};
    all << naplo;

    TableDef emil;
    emil.name = "emil";
    emil.fields = {
        text("emil", 100),
        text("nev", 100),
        typed("kuldve", T::Boolean),
        typed("csoport", T::Integer),
        text("vnev", 50),
        text("knev", 50),
        typed("honap", T::Integer),
        typed("nap", T::Integer),
    };
    all << emil;

    TableDef irsz;
    irsz.name = "irsz";
    irsz.fields = {typed("Id", T::Integer), text("irsz", 6), text("varos", 50)};
    irsz.indexes = {index("irsz_id", {"Id"}, true), index("irsz_irsz", {"irsz"})};
    all << irsz;

    TableDef tulajdonos;
    tulajdonos.name = "tulajdonos";
    tulajdonos.fields = {
        text("tulajdonos", 100),
        text("telefon", 25),
        text("mobil", 25),
        text("fax", 25),
        text("irsz", 5),
        text("varos", 25),
        text("cim", 50),
        text("adoszam", 11),
        text("bankszamlaszam", 24),
    };
    all << tulajdonos;

    return all;
}

QString sqlType(const FieldDef &f)
{
    switch (f.type) {
    case T::Text: return f.size > 0 ? QStringLiteral("VARCHAR(%1)").arg(f.size) : QStringLiteral("TEXT");
    case T::Integer: return QStringLiteral("INTEGER");
    case T::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case T::Float: return QStringLiteral("DOUBLE");
    case T::Date: return QStringLiteral("DATE");
    case T::Timestamp: return QStringLiteral("TIMESTAMP");
    case T::Memo: return QStringLiteral("TEXT");
    case T::Boolean: return QStringLiteral("BOOLEAN");
    }
    return QStringLiteral("TEXT");
}

}  // namespace

int TableDef::fieldIndex(const QString &n) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef *TableDef::field(const QString &n) const
{
    const int i = fieldIndex(n);
    return i < 0 ? nullptr : &fields[i];
}

const IndexDef *TableDef::index(const QString &n) const
{
    for (const IndexDef &ix : indexes)
        if (ix.name.compare(n, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

const QVector<TableDef> &tables()
{
    static const QVector<TableDef> all = buildTables();
    return all;
}

QString bareTableName(const QString &name)
{
    QString n = name.trimmed();
    if (n.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        n.chop(3);
    return n;
}

const TableDef *table(const QString &name)
{
    const QString n = bareTableName(name);
    for (const TableDef &t : tables())
        if (t.name.compare(n, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString quoted(const QString &name)
{
    // In lower case: a name then means the same quoted or not, on an engine
    // that folds names to lower case as on one that ignores their case.
    return QLatin1Char('"') + name.toLower() + QLatin1Char('"');
}

QStringList createStatements()
{
    QStringList out;
    for (const TableDef &t : tables()) {
        QStringList cols;
        for (const FieldDef &f : t.fields)
            cols << QStringLiteral("\"%1\" %2").arg(f.name, sqlType(f));  // the names' own case
        out << QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, cols.join(QStringLiteral(", ")));
    }
    for (const TableDef &t : tables())
        for (const IndexDef &ix : t.indexes)
            out << createIndexStatement(t, ix);
    return out;
}

QString createIndexStatement(const TableDef &table, const IndexDef &index)
{
    QStringList cols;
    for (const QString &c : index.fields)
        cols << quoted(c) + (index.descending ? QStringLiteral(" DESC") : QString());
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), quoted(index.name), quoted(table.name),
             cols.join(QStringLiteral(", ")));
}

}  // namespace schema
