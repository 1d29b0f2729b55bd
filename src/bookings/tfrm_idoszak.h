#pragma once
// The period dialog: two days, from and to, each with its month by name.

#include <QDateEdit>
#include <QDialog>

class QPushButton;

// A date entry that shows the month by its capitalised Hungarian name
// ("2024. Március 1.") and edits its day, month and year.
class HonapNevesDatum : public QDateEdit {
    Q_OBJECT
public:
    explicit HonapNevesDatum(QWidget *parent = nullptr);

    static QString honapNev(int honap);  // 1..12: "Január" ... "December"

protected:
    QString textFromDateTime(const QDateTime &dt) const override;
    QDateTime dateTimeFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;
    // Tab leaves the entry as a whole, as Enter does; the arrow keys step
    // through day, month and year.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

class Tfrm_Idoszak : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Idoszak(QWidget *parent = nullptr);

    HonapNevesDatum *eAlso;
    HonapNevesDatum *eFelso;
    QPushButton *bOK;
    QPushButton *bMegsem;
};

// Asks for a period starting from `tol` and `ig`; on "OK" writes the chosen
// days back and returns true, otherwise leaves them and returns false.
bool IdoszakBeker(QDate &tol, QDate &ig, QWidget *szulo = nullptr);
