#include "app/tfrm_readme.h"

#include "app/sugo.h"
#include "common/ablak.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

Tfrm_Readme::Tfrm_Readme(QWidget *parent) : QDialog(parent), m_szoveg(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frm_Readme"));
    setWindowTitle(QStringLiteral("Fontos információk"));
    setSizeGripEnabled(true);
    resize(552, 399);

    m_szoveg->setObjectName(QStringLiteral("Memo1"));
    m_szoveg->setReadOnly(true);
    m_szoveg->setFrameShape(QFrame::NoFrame);
    m_szoveg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_szoveg->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont betu(QStringLiteral("Liberation Mono"), 10);
    betu.setStyleHint(QFont::TypeWriter);
    betu.setFixedPitch(true);
    m_szoveg->setFont(betu);
    QPalette p = m_szoveg->palette();
    p.setColor(QPalette::Base, QColor(0xFF, 0xFB, 0xF0));
    p.setColor(QPalette::Text, Qt::black);
    m_szoveg->setPalette(p);
    m_szoveg->setPlainText(sugo::FontosSzoveg());

    auto *elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->addWidget(m_szoveg);
    KepernyoKozepere(this);
}
