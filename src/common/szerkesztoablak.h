#pragma once
// The editor side of the list/editor family: a dialog bound to the current
// row of the row-edit controller's data set (which the controller has put
// into insert or edit). "OK" runs the editor's check, then saves the row
// through the controller and closes with OK; a refused save has shown its
// message and leaves the editor open on the unsaved row. "Mégsem", Esc and
// the close button close with Cancel, and the controller cancels the row.
// A number box whose text is not a number of its field is refused when the
// focus leaves it and when "OK" is pressed: the message is shown and the
// focus goes back to the box.

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class SorSzerkeszto;

namespace data {
class Binder;
class DataSet;
}

class SzerkesztoAblak : public QDialog {
    Q_OBJECT
public:
    explicit SzerkesztoAblak(SorSzerkeszto &sorok, QWidget *parent = nullptr);
    ~SzerkesztoAblak() override;

    SorSzerkeszto &sorok() const { return m_sorok; }
    data::DataSet *adatok() const { return m_ds; }
    data::Binder *kotes() const { return m_kotes; }

public Q_SLOTS:
    // Checks, saves and closes with OK.
    void ok();

protected:
    // Connects the window's OK and Mégsem buttons.
    void gombok(QPushButton *ok, QPushButton *megsem);
    // The editor's own checks before saving; shows its message and returns
    // false to keep the editor open.
    virtual bool ellenoriz() { return true; }
    // After a successful save, before the editor closes.
    virtual void mentesUtan() {}
    // Shows the current row in the bound controls.
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *obj, QEvent *event) override;
    // While a number refused on leaving waits for its message, leaving
    // other controls computes nothing.
    bool szamraVar() const { return !m_elutasitottSzam.isNull(); }

private:
    // A refused number: its message, the focus back in its box (on its page).
    void szamHiba(QLineEdit *edit, const QString &uzenet);
    bool szamokRendben();

    SorSzerkeszto &m_sorok;
    data::DataSet *m_ds;
    data::Binder *m_kotes;
    QPushButton *m_megsem = nullptr;
    bool m_szamokFigyelve = false;
    QPointer<QLineEdit> m_elutasitottSzam;
};
