#pragma once
// Running a report: what the report operations call once the definition is
// made and its data sets are open. Each shows the failure of any step in the
// error box and returns false; nothing is thrown out of them.

#include <QString>

class QWidget;

namespace riport {

class Definition;
class DataSets;

// Lays the report out and shows it in the modal, maximised preview window
// captioned with the report title; returns when the window is closed.
bool preview(QWidget *parent, const Definition &definition, const DataSets &sets);

// Prints every page on the default printer, one copy, without a printer
// dialog, under a progress window with a Cancel button. Without a printer
// it says so and reads no data.
bool print(QWidget *parent, const Definition &definition, const DataSets &sets);

// The two modes of the report operations: print (toPrinter) or preview.
bool run(QWidget *parent, const Definition &definition, const DataSets &sets, bool toPrinter);

// Lays the report out and writes its text as one HTML document.
bool exportHtml(const Definition &definition, const DataSets &sets, const QString &fileName);

// Lays the report out and writes it as a PDF document.
bool exportPdf(const Definition &definition, const DataSets &sets, const QString &fileName);

}  // namespace riport
