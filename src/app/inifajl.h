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

//
// Encodings: a file is written back in the encoding it came in. UTF-8 (with
// or without a byte order mark) is read as such, and so is UTF-16 with its
// byte order mark; any other file that is not valid UTF-8 is Windows-1250,
// what a Windows editor saves. A line that is valid UTF-8 reads as UTF-8 even
// in a Windows-1250 file, so a file that two editors have written reads right.
// A value that Windows-1250 cannot hold turns the whole file into UTF-8
// (nothing is lost, figyelmeztetes() says so). A new file is UTF-8.

class IniFajl {
public:
    enum class Kodolas { Utf8, Windows1250, Utf16LE, Utf16BE };

    IniFajl() = default;

    // Reads the file and remembers its name for ment(). A missing file gives
    // an empty one (true); false when an existing file cannot be read or its
    // encoding cannot be taken (hiba() tells why): the contents are then
    // empty, and ment() will not write over that file.
    bool betolt(const QString &fajlNev);
    // Writes the contents atomically (a half-written file never replaces
    // the old one) to the loaded file or to `fajlNev`. False on failure.
    bool ment();
    bool ment(const QString &fajlNev);

    QString fajlNev() const { return m_fajlNev; }
    // The reason of the last failed betolt() or ment().
    QString hiba() const { return m_hiba; }
    Kodolas kodolas() const { return m_kodolas; }
    // Set when a written value turned the file's encoding into UTF-8.
    QString figyelmeztetes() const { return m_figyelmeztetes; }

    // The contents as bytes, as ment() writes them; and setting them directly
    // (false, with hiba() and empty contents, when the bytes are not taken).
    QByteArray tartalom() const;
    bool setTartalom(const QByteArray &tartalom);

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
    // The text of a line without its line break.
    QString szoveg(int sor) const;
    // A text in the file's encoding (which may turn into UTF-8 for it).
    QByteArray bajtok(const QString &szoveg, const QString &kulcs);

    QString m_fajlNev;
    QString m_hiba;
    QString m_figyelmeztetes;
    Kodolas m_kodolas = Kodolas::Utf8;
    bool m_nemOlvashato = false;  // betolt() failed: the file is not written over
    // Raw lines, each with its own line break; of a UTF-16 file in UTF-8,
    // without the byte order mark.
    QVector<QByteArray> m_sorok;
};
