#pragma once
// An INI file kept line by line, in the Windows layout: "[Szakasz]" header
// lines and "Kulcs=Ertek" lines. Section and key names compare without
// regard to case; a missing file, section or key reads as the default.
// Writing a key replaces its value in place, a new key goes to the end of its
// section and a new section to the end of the file; every other line
// (comments, keys the program does not know, blank lines) keeps its bytes.

#include <QByteArray>
#include <QString>
#include <QVector>

class IniFajl {
public:
    IniFajl() = default;

    // Reads the file as UTF-8 and remembers its name for ment(). A missing
    // file gives an empty one (true); false when an existing file cannot be
    // read (hiba() tells why), the contents are then empty.
    bool betolt(const QString &fajlNev);
    // Writes the contents atomically (a half-written file never replaces
    // the old one) to the loaded file or to `fajlNev`. False on failure.
    bool ment();
    bool ment(const QString &fajlNev);

    QString fajlNev() const { return m_fajlNev; }
    // The reason of the last failed betolt() or ment().
    QString hiba() const { return m_hiba; }

    // The contents as bytes, as ment() writes them; and setting them directly.
    QByteArray tartalom() const;
    void setTartalom(const QByteArray &tartalom);

    bool vanSzakasz(const QString &szakasz) const;
    bool vanKulcs(const QString &szakasz, const QString &kulcs) const;

    // The value with surrounding blanks removed; `alap` when there is none.
    QString olvasSzoveg(const QString &szakasz, const QString &kulcs,
                        const QString &alap = QString()) const;
    // A decimal integer; `alap` when missing or not an integer.
    qint32 olvasEgesz(const QString &szakasz, const QString &kulcs, qint32 alap) const;
    // An integer other than 0 is true; `alap` when missing or not an integer.
    bool olvasLogikai(const QString &szakasz, const QString &kulcs, bool alap) const;

    // Line breaks in a value become spaces: a value is one line.
    void irSzoveg(const QString &szakasz, const QString &kulcs, const QString &ertek);
    void irEgesz(const QString &szakasz, const QString &kulcs, qint32 ertek);
    // Written as "1" or "0".
    void irLogikai(const QString &szakasz, const QString &kulcs, bool ertek);

private:
    struct Szakasz {
        int fej = -1;    // header line
        int vege = 0;    // first line after the section
    };
    Szakasz keresSzakasz(const QString &nev) const;
    int keresKulcs(const Szakasz &sz, const QString &kulcs) const;
    QByteArray sorveg() const;
    void lezar(int sor);  // gives line `sor` its line break if it has none

    QString m_fajlNev;
    QString m_hiba;
    QVector<QByteArray> m_sorok;  // raw lines, each with its own line break
};
