#pragma once
// The editor side of the list/editor family: a dialog bound to the current
// row of the list's data set (which the list has put into insert or edit).
// "OK" runs the editor's check, then posts the row and closes with OK; a
// failed post leaves the editor open with the row still in edit. "Mégsem",
// Esc and the close button close with Cancel, and the list cancels the row.

#include <QDialog>

class QPushButton;

namespace data {
class Binder;
class DataSet;
class DbError;
}

class SzerkesztoAblak : public QDialog {
    Q_OBJECT
public:
    explicit SzerkesztoAblak(data::DataSet *ds, QWidget *parent = nullptr);
    ~SzerkesztoAblak() override;

    data::DataSet *adatok() const { return m_ds; }
    data::Binder *kotes() const { return m_kotes; }

public Q_SLOTS:
    // Checks, posts and closes with OK.
    void ok();

protected:
    // Connects the window's OK and Mégsem buttons.
    void gombok(QPushButton *ok, QPushButton *megsem);
    // The editor's own checks before posting; shows its message and returns
    // false to keep the editor open.
    virtual bool ellenoriz() { return true; }
    // A post that the database refused. The default shows the engine's
    // message; the editor stays open with the row in edit.
    virtual void mentesHiba(const data::DbError &hiba);
    // After a successful post, before the editor closes.
    virtual void mentesUtan() {}
    // Shows the current row in the bound controls.
    void showEvent(QShowEvent *event) override;

private:
    data::DataSet *m_ds;
    data::Binder *m_kotes;
};
