#include "tools/sqlszerkeszto.h"


#include <QContextMenuEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMenu>

namespace {

QFont courier(int pont)
{
    // Where Courier New is missing, the desktop's metric twin stands in.
    QFont f(QStringLiteral("Courier New"), pont);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

}  // namespace

SqlSzerkeszto::SqlSzerkeszto(QWidget *parent) : QsciScintilla(parent)
{
    setUtf8(true);
    // Lines end in "\n" inside; a file gets CR LF when it is written.
    setEolMode(EolUnix);

    auto *lexer = new QsciLexerSQL(this);
    const QFont szoveg = courier(10);
    lexer->setDefaultFont(szoveg);
    lexer->setFont(szoveg);
    for (int stilus : {QsciLexerSQL::Comment, QsciLexerSQL::CommentLine, QsciLexerSQL::CommentDoc,
                       QsciLexerSQL::CommentLineHash, QsciLexerSQL::PlusComment})
        lexer->setColor(QColor(0x00, 0x80, 0x00), stilus);
    lexer->setColor(QColor(0x00, 0x00, 0xFF), QsciLexerSQL::Number);
    for (int stilus : {QsciLexerSQL::SingleQuotedString, QsciLexerSQL::DoubleQuotedString})
        lexer->setColor(QColor(0xFF, 0x00, 0x00), stilus);
    QFont kulcsszo = szoveg;
    kulcsszo.setBold(true);
    lexer->setFont(kulcsszo, QsciLexerSQL::Keyword);
    setLexer(lexer);

    // The gutter: line numbers three digits wide.
    const QFont szamok = courier(8);
    setMarginsFont(szamok);
    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, QFontMetrics(szamok).horizontalAdvance(QStringLiteral("000")) + 6);
    setMarginWidth(1, 0);

    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(0xE1, 0xF0, 0xFF));
    setSelectionBackgroundColor(QColor(0xC0, 0xC0, 0xC0));
    setSelectionForegroundColor(Qt::black);
    setBraceMatching(SloppyBraceMatch);
    setAutoIndent(true);
    setTabWidth(4);
    // The horizontal scroll bar comes only when a line is wider than the view.
    setScrollWidth(1);
    setScrollWidthTracking(true);
}

QString SqlSzerkeszto::futtatandoSzoveg() const
{
    // Asked of the control itself: the cached selection flag stays set when
    // the selection is typed over, until the caret moves.
    const long eleje = SendScintilla(SCI_GETSELECTIONSTART);
    const long vege = SendScintilla(SCI_GETSELECTIONEND);
    return eleje == vege ? text() : text(int(eleje), int(vege));
}

void SqlSzerkeszto::contextMenuEvent(QContextMenuEvent *e)
{
    if (!m_menu) {
        QsciScintilla::contextMenuEvent(e);
        return;
    }
    m_menu->popup(e->globalPos());
    e->accept();
}
