#pragma once
// The QtSql connection an engine runs on, closed and forgotten once no
// handle of it is left.

#include <QSqlDatabase>

namespace data {

inline void dropQtConnection(const QString &name)
{
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace data
