#include "common/listakereso.h"

#include "common/datagrid.h"
#include "common/ikonok.h"
#include "common/listaablak.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

namespace {

const QColor kKeresoSzin(0xC0, 0xDC, 0xC0);

QAction *elvalaszto(QObject *szulo)
{
    auto *a = new QAction(szulo);
    a->setSeparator(true);
    return a;
}

}  // namespace

ListaKereso::ListaKereso(ListaAblak &lista, const QString &mezo)
    : QObject(&lista), m_lista(lista), m_mezo(mezo), m_doboz(new QLineEdit(&lista))
{
    m_doboz->setObjectName(QStringLiteral("Edit1"));
    m_doboz->setAccessibleName(QStringLiteral("Kereső"));
    QPalette p = m_doboz->palette();
    p.setColor(QPalette::Base, kKeresoSzin);
    m_doboz->setPalette(p);
    QFont f = m_doboz->font();
    f.setBold(true);
    m_doboz->setFont(f);
    m_doboz->setFixedWidth(m_doboz->fontMetrics().averageCharWidth() * 22);
    m_doboz->installEventFilter(this);

    m_aKeres = new QAction(TemaIkon("edit-find system-search"), QStringLiteral("Kereső"), &lista);
    m_aKeres->setObjectName(QStringLiteral("aKeres"));
    m_aKeres->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_aKeres->setShortcutContext(Qt::WindowShortcut);
    m_aKeres->setProperty("kategoria", QStringLiteral("Sorok"));
    lista.addAction(m_aKeres);

    VedettKapcsol(m_aKeres, &QAction::triggered, this, &ListaKereso::fokusz);
    VedettKapcsol(m_doboz, &QLineEdit::textChanged, this, &ListaKereso::keres);
    // Reached only outside selection mode: there the Enter of "Elfogad"
    // takes the key first.
    VedettKapcsol(m_doboz, &QLineEdit::returnPressed, this,
                  [this] { m_lista.racs()->setFocus(Qt::OtherFocusReason); });
    elrendez();
}

void ListaKereso::elrendez()
{
    QToolBar *sav = m_lista.eszkoztar();
    sav->clear();
    sav->addWidget(m_doboz);
    sav->addSeparator();
    sav->addAction(m_aKeres);
    sav->addSeparator();
    sav->addActions({m_lista.aUj(), m_lista.aSzerkeszt(), m_lista.aTorol()});
    sav->addSeparator();
    sav->addActions({m_lista.aElfogad(), m_lista.aBezar()});

    DataGrid *racs = m_lista.racs();
    for (QAction *a : racs->actions())
        racs->removeAction(a);
    racs->addActions({m_lista.aUj(), m_lista.aSzerkeszt(), m_lista.aTorol(), elvalaszto(this), m_aKeres,
                      elvalaszto(this), m_lista.aElfogad(), m_lista.aBezar()});
}

bool ListaKereso::keres(const QString &szoveg)
{
    data::DataSet *ds = m_lista.adatok();
    if (szoveg.isEmpty() || !ds || !ds->isOpen() || ds->isEditing())
        return false;
    return ds->locate(m_mezo, szoveg, data::CaseInsensitive | data::PartialKey);
}

void ListaKereso::fokusz()
{
    m_doboz->setFocus(Qt::ShortcutFocusReason);
}

bool ListaKereso::eventFilter(QObject *obj, QEvent *event)
{
    // The whole text is selected whenever the box takes the focus; after a
    // click, once the click has placed the cursor.
    if (obj == m_doboz && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_doboz, [d = m_doboz] { d->selectAll(); });
    // The list's shortcuts win over the box's own key bindings: Ctrl+Del
    // deletes the row, not the next word.
    if (obj == m_doboz && event->type() == QEvent::ShortcutOverride) {
        const QKeySequence billentyu(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *a : m_lista.actions())
            if (a->isEnabled() && a->shortcuts().contains(billentyu))
                return true;
    }
    return QObject::eventFilter(obj, event);
}
