#include "common/kodlap.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kodlap {

namespace {

const char *const kNev = "windows-1250";

}  // namespace

QString dekodol1250(const QByteArray &bajtok)
{
    // The converter maps the code page's unassigned bytes to the control
    // characters of the same number, so every byte comes back unchanged.
    QStringDecoder d(kNev, QStringConverter::Flag::Stateless);
    return d.decode(bajtok);
}

std::optional<QByteArray> kodol1250(const QString &szoveg, QString *elsoHiany)
{
    QStringEncoder e(kNev, QStringConverter::Flag::Stateless);
    QByteArray out = e.encode(szoveg);
    if (!e.hasError())
        return out;
    if (elsoHiany) {
        // The first character that has no byte: found one character at a time,
        // which costs nothing on the short texts that fail.
        for (int i = 0; i < szoveg.size(); ++i) {
            const bool par = szoveg[i].isHighSurrogate() && i + 1 < szoveg.size();
            const QString c = szoveg.mid(i, par ? 2 : 1);
            QStringEncoder egy(kNev, QStringConverter::Flag::Stateless);
            const QByteArray b = egy.encode(c);
            Q_UNUSED(b);
            if (egy.hasError()) {
                *elsoHiany = c;
                break;
            }
            if (par)
                ++i;
        }
    }
    return std::nullopt;
}

bool ervenyesUtf8(const QByteArray &bajtok)
{
    QStringDecoder d(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString s = d.decode(bajtok);
    Q_UNUSED(s);
    return !d.hasError();
}

}  // namespace kodlap
