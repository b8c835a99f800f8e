#pragma once

#include <QString>

namespace Velmora::PrivateFiles {

// The chores, reminders and settings are nobody else's business: files the app keeps are
// readable by their user alone (0600), in folders only that user can enter (0700).

// Everything this process creates from now on, whoever creates it (SQLite, QSettings, Qt).
void restrictNewFiles();

// The folder with any missing parents, each made 0700. An existing one is left as it is: it may
// be shared (a store opened in /tmp); tightenFolder is for the app's own. False when there is no
// folder at the path afterwards.
bool makeFolder(const QString &path);

// An empty file made 0600 before anyone else creates it, or an existing one taken back to 0600.
// False when there is no file at the path afterwards, or a symbolic link.
bool makeFile(const QString &path);

// An existing file taken back to 0600; a missing one is no error, and neither is a symbolic
// link, which is left as it is with its target.
void tighten(const QString &path);

// Whether there is a symbolic link at the path itself. The app never writes through one nor
// changes its target: a link where it keeps a file is refused and left alone.
bool isLink(const QString &path);
// The sentence refusing one, naming it.
QString linkRefused(const QString &path);

// An existing folder taken back to 0700 and every file directly in it to 0600.
void tightenFolder(const QString &path);

} // namespace Velmora::PrivateFiles
