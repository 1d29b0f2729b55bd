#pragma once
// The help menu's targets: the files delivered beside the program, the
// maker's mail address and homepage, and the text of the important
// information window.

#include <QString>

namespace sugo {

QString SugoCel();       // ProgramMappa + "\Help\index.htm"
QString DoksiCel();      // ProgramMappa + "\Doc\Nyugvár.pdf"
QString FrissenyCel();   // ProgramMappa + "\Frisseny.exe", the maker's news program
QString LevelCel();      // "mailto:" + the maker's address + "?subject=Nyugvár program"
QString HonlapCel();     // the maker's homepage

// The fixed text of "Fontos információk".
QString FontosSzoveg();

// The lines of the about box under the product label: maker, licence,
// homepage.
QString NevjegySzoveg();

}  // namespace sugo
