#pragma once

#include <QString>

namespace brivello::data {

// The folder the program runs from: the folder of the running executable,
// unless a test has pointed it elsewhere.
QString programFolder();
void setProgramFolder(const QString &folder);

// Joins a path written the disc's way (".\datafiles\ringtones.dat",
// "\tools\Musicbox\") to `folder`. Both forms name the file below the folder,
// whether the folder is a root ("/") or a subfolder. Every component is
// matched without regard to letter case against what is on disk, so a disc
// holding DATAFILES/RINGTONES.DAT serves a program asking for
// datafiles\ringtones.dat. Components that do not exist are kept as written.
QString discPath(const QString &folder, const QString &relative);

// discPath() below programFolder().
QString discPath(const QString &relative);

// False when a name from the catalogue (a folder, a program, a recording)
// would lead out of the folder it is joined to: a ".." among its components
// ("..\..\etc", "a/../../b").
bool staysBelow(QStringView name);

// "Il catalogo indica un percorso che esce dalla cartella del programma: «…»."
QString climbsOutMessage(const QString &name);

} // namespace brivello::data
