#pragma once
// New / edit / delete of the bookings of one place, each saved together
// with the place's running totals of fees and commissions in one unit of
// work: the booking and its place are both saved or neither is.
//
//   new:    the orderer is chosen (none accepted: nothing is created), the
//           next booking number is read, the row gets its defaults;
//   save:   the booking is posted, then the place's totals move by the
//           booking (new: its amounts; edit: new less old) and the place is
//           posted. Refused: both rows stay in edit as they were typed, the
//           file holds neither, and the next save computes the totals again
//           from the place's saved ones;
//   delete: the place's totals lose the booking's amounts, the place is
//           posted and the booking deleted. Refused: nothing changes and the
//           place shows its saved totals.
//
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

    // The fee and commission the edited booking had when its edit began.
    DijJutalek regiOsszegek() const { return m_regi; }

protected:
    void mentes() override;
    void torles() override;
    void elvetes() override;

private:
    bool ujElott();
    void alapertekek(data::DataSet &ds);
    void helyEllenoriz(const data::DataSet &foglalasok) const;
    void helyetSzerkeszt();
    void helyetElvet();
    void allapotValtozott();

    data::DataSet &m_hely;
    data::Query &m_qry;
    std::function<int()> m_valaszto;
    std::function<QDate()> m_ma;
    int m_foglalo = -1;
    int m_sorszam = 0;
    DijJutalek m_regi;
    bool m_regiMegvan = false;
    bool m_helyFuggo = false;  // the place is in edit by a save of ours
};
