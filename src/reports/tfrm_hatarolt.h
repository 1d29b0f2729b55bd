#pragma once
// The delimited text export window: file name, separator and quote
// character, start, progress and stop, over any open data set.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace data {
class DataSet;
}
namespace hatarolt {
class Iro;
}

class Tfrm_Hatarolt : public QDialog {
    Q_OBJECT
public:
    Tfrm_Hatarolt(data::DataSet &adatok, const QString &javasoltNev, QWidget *parent = nullptr);

    QGroupBox *rgHatarolo;
    QRadioButton *rbPontosvesszo, *rbTabulator, *rbVesszo;
    QGroupBox *rgJelolo;
    QRadioButton *rbIdezojel, *rbAposztrof, *rbSemmi;
    QLabel *lFilenev;
    QLineEdit *eFilenev;
    QToolButton *bTallozas;
    QPushButton *bMegallit, *bIndit, *bBezar;
    QProgressBar *ProgressBar1;

    bool fut() const { return m_iro != nullptr; }

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void tallozas();
    void inditas();
    void megallitas();
    void zarolas(bool fut);
    QString elvalaszto() const;
    QString jelolo() const;

    data::DataSet &m_adatok;
    hatarolt::Iro *m_iro = nullptr;  // the export running now
};

// Shows the export window modally over the data set, proposing the file
// name (may be empty).
void HataroltExport(data::DataSet &adatok, const QString &javasoltNev, QWidget *szulo = nullptr);
