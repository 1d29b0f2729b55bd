#pragma once
// QScintilla's headers use the plain words "slots" and "signals", which this
// program switches off (QT_NO_KEYWORDS); they get them only while included.

#define slots Q_SLOTS
#define signals Q_SIGNALS
#include <Qsci/qsciscintilla.h>
#include <Qsci/qscilexersql.h>
#undef slots
#undef signals
