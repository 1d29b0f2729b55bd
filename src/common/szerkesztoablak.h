#pragma once
// The editor side of the list/editor family: a dialog bound to the current
// row of the row-edit controller's data set (which the controller has put
// into insert or edit). "OK" runs the editor's check, then saves the row
// through the controller and closes with OK; a refused save has shown its
// message and leaves the editor open on the unsaved row. "Mégsem", Esc and
// the close button close with Cancel, and the controller cancels the row.

#include <QDialog>

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

private:
    SorSzerkeszto &m_sorok;
    data::DataSet *m_ds;
    data::Binder *m_kotes;
};
