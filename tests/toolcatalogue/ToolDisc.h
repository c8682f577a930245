#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace brivello::test {

// One row of the table Tools.
struct TestTool
{
    QString name;
    int imgnr = 1;
    QString type;
    QString dirname;
    QString start;
};

// The tools of the test disc, in table order, with their folders:
//   "Primo Kit" (K): b.txt, A.txt, c.dat, a hidden file and a subfolder;
//   "Avvio" (S): an executable avvio.sh;  "Musicbox" (P): its program in
//   tools/Musicbox, its dirname names another folder;  "Minuscolo" (k);
//   "Secondo Kit" (K): one file;  "Grande" (K, imgnr 31): 300 files;
//   "Vuoto" (K): an empty folder;  "Mancante" (S): its program is missing;
//   "D'Artagnan" (S).
std::vector<TestTool> testTools();

// Writes datafiles/ringtones.dat with the table Tools and the tool folders
// below `folder`. Returns false and sets *error when it could not.
bool writeToolDisc(const QString &folder, QString *error);

// The text a file of the disc's tool folders holds.
QByteArray toolFileContents(const QString &dirname, const QString &name);

} // namespace brivello::test
