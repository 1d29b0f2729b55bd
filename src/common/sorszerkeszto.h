#pragma once
// New / edit / delete of one data set's rows around an editor, without any
// window: the list windows and the main window run their rows through it; a
// booking list overrides its save step to save a place's totals alongside.
//
//   new:    before-new step (may stop) -> insert -> defaults -> editor run
//   edit:   edit -> editor run
//   editor run accepted: the row is saved (if the editor has not saved it);
//           a refused save shows its message and runs the editor again on
//           the unsaved row, with the user's values; not accepted: cancel.
//           A row that another user or program changed meanwhile is read
//           again under the typing, so the next OK applies it to that.
//   delete: the question -> the delete step in one unit of work.
//
// The save is one overridable step run inside one unit of work and
// committed before ment() returns; an editor's OK calls ment() and stays
// open when it returns false. Errors of the operations never leave the
// controller: they are shown through the message boxes and the operation
// stops there.

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>

namespace data {
class DataSet;
class DbError;
}

class SorSzerkeszto : public QObject {
    Q_OBJECT
public:
    // Runs the editor on the row in insert or edit state; true when the
    // user accepted it (OK).
    using SzerkesztoFuttatas = std::function<bool()>;

    explicit SorSzerkeszto(data::DataSet &ds, QObject *parent = nullptr);
    ~SorSzerkeszto() override;

    data::DataSet &adatok() const { return m_ds; }

    // ---- configuration ----------------------------------------------------
    void setSzerkeszto(SzerkesztoFuttatas futtatas) { m_szerkeszto = std::move(futtatas); }
    bool vanSzerkeszto() const { return bool(m_szerkeszto); }
    // Runs before a new row is inserted (choosing an orderer, reading a next
    // number); false stops the new row before anything exists.
    void setUjElott(std::function<bool()> lepes) { m_ujElott = std::move(lepes); }
    // Writes the defaults of a new row, in insert state.
    void setAlapertekek(std::function<void(data::DataSet &)> lepes) { m_alapertekek = std::move(lepes); }
    // The text of a refused save: `elotag` + CR LF + the engine's message,
    // or `elotag` alone when `motorUzenettel` is false. Empty: the engine's
    // message alone.
    void setMentesHiba(const QString &elotag, bool motorUzenettel = true);
    QString mentesHibaSzoveg(const QString &motorUzenet) const;
    // The delete question (caption "Megerősítés").
    void setTorlesKerdes(const QString &kerdes) { m_torlesKerdes = kerdes; }
    QString torlesKerdes() const { return m_torlesKerdes; }
    // The field handed back by selection.
    void setKulcsMezo(const QString &mezo) { m_kulcsMezo = mezo; }
    QString kulcsMezo() const { return m_kulcsMezo; }

    // ---- operations ---------------------------------------------------------
    // True when a row was saved (new, edit) or deleted.
    bool uj();
    bool szerkeszt();
    bool torol();
    // Saves the pending row: the save step inside one unit of work, then the
    // commit. True when saved or when nothing was pending; on refusal shows
    // the message and returns false with the row still in insert or edit.
    // A save that reached the file is never a refusal: when only showing the
    // rows again failed, an information box says so and it returns true.
    bool ment();
    // The key of the current row (null on an empty data set); raises
    // data::DbError when the key field is unknown.
    QVariant kulcs() const;

Q_SIGNALS:
    // A save or a delete was committed.
    void mentve();
    void torolve();

protected:
    // The save step, inside the unit of work: posts the row. A subclass that
    // saves more rows with it (a booking and its place's totals) overrides
    // this one step.
    virtual void mentes();
    // The delete step, inside the unit of work: removes the current row.
    virtual void torles();
    // Discards the pending row when the editor was not accepted. A subclass
    // whose save step put more rows into edit discards them too.
    virtual void elvetes();

private:
    bool futtat();
    void elvet();

    data::DataSet &m_ds;
    SzerkesztoFuttatas m_szerkeszto;
    std::function<bool()> m_ujElott;
    std::function<void(data::DataSet &)> m_alapertekek;
    QString m_hibaElotag;
    bool m_motorUzenettel = true;
    QString m_torlesKerdes;
    QString m_kulcsMezo;
    bool m_fut = false;
};
