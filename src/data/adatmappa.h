#pragma once
// The delivered data folder: the database file with every table of the
// register, the initial user, the agency row and the postal codes.

class QString;

// Makes `folder` (and its parents) if needed and, only when it holds no
// regiszter.db yet, builds the delivered database there from the schema and
// the postal codes of `irszCsv` (UTF-8, ";"-separated, header "irsz;varos").
// The database is built under a temporary name in the same folder and then
// renamed into place, so a half-built file never carries the real name.
// An existing regiszter.db is never touched, not even its time stamp.
// Returns false with the reason in *error (when given) on failure.
bool createDataFolder(const QString &folder, const QString &irszCsv, QString *error);

// Keeps the data folder readable by its owner only, and its database file
// (the passwords are inside) likewise: takes the group's and others' rights
// away where the owner may. Returns false when a right could not be taken
// (a folder of another user); nothing else changes.
bool protectDataFolder(const QString &folder);
