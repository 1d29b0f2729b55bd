#pragma once
// The login window shown at every start.

#include <QDialog>
#include <memory>

class Belepes;
namespace data {
class Database;
}
class QLineEdit;
class QPushButton;

class Tfrm_Login : public QDialog {
    Q_OBJECT
public:
    // The login on the users of `db`.
    explicit Tfrm_Login(data::Database &db, QWidget *parent = nullptr);
    ~Tfrm_Login() override;

    // Set by every press of "OK"; true after a successful login.
    bool bejelentkezett() const;
    Belepes &belepes() const { return *m_belepes; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void okGomb();
    void ujJelszoGomb();

    std::unique_ptr<Belepes> m_belepes;
    QLineEdit *edtFelhasznalo = nullptr;
    QLineEdit *edtJelszo = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnUjJelszo = nullptr;
    QPushButton *btnMegsem = nullptr;
};

// The login of the real program: shows the login window on the users of
// `db` modally; true after a successful login.
bool BelepesAblak(data::Database &db);
