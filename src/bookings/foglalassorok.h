#pragma once
// New / edit / delete of the bookings of one place, each saved together
// with the place's running totals of fees and commissions in one unit of
// work: the booking and its place are both saved or neither is.
//
//   new:    the orderer is chosen (none accepted: nothing is created), the
//           next booking number is read, the row gets its defaults;
//   save:   inside the unit, a new booking whose number another writer has
//           taken meanwhile gets the next free one; the booking is posted,
//           then the place's totals move in the file by what the file held
//           for the booking before and after (new: its amounts; edit: new
//           less old). Refused: the booking stays in edit as it was typed
//           and the file holds neither change;
//   delete: the place's totals lose the booking's stored amounts and the
//           booking is deleted. Refused: nothing changes.
//
// The totals are never copied from the place's shown row, so another copy
// of the program saving bookings of the same place at the same time loses
// nothing; after the commit the place's row is read again to show them.
// The place is the current row of the place data set (the main window's),
// which must be the place of the booking.

#include "bookings/foglalasszamitas.h"
#include "common/sorszerkeszto.h"

#include <functional>

class FoglalasSorok : public SorSzerkeszto {
    Q_OBJECT
public:
    FoglalasSorok(data::DataSet &foglalasok, data::DataSet &hely, data::Query &qryJav, QObject *parent = nullptr);
    ~FoglalasSorok() override;

    data::DataSet &hely() const { return m_hely; }

    // Chooses the orderer of a new booking: its key, or -1 when none was
    // accepted.
    void setFoglaloValaszto(std::function<int()> valaszto) { m_valaszto = std::move(valaszto); }
    // The day a new booking starts on (today unless a test says otherwise).
    void setMa(std::function<QDate()> ma) { m_ma = std::move(ma); }

    // A new booking, or the current one, of the place `helyKulcs`, which
    // must be the current place. True when saved.
    bool FoglalasSzerkeszt(bool uj, int helyKulcs);

protected:
    void mentes() override;
    void torles() override;

private:
    bool ujElott();
    void alapertekek(data::DataSet &ds);
    int helyEllenoriz(const data::DataSet &foglalasok) const;
    int szabadSorszam(data::DataSet &foglalasok);
    void helyetUjraolvas();

    data::DataSet &m_hely;
    data::Query &m_qry;
    std::function<int()> m_valaszto;
    std::function<QDate()> m_ma;
    int m_foglalo = -1;
    int m_sorszam = 0;
};
