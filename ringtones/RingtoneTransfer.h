#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace brivello::ringtones {

class frmRing;

// Takes a ringtone out of the catalogue: its ringtone text saved to a file
// of the user's choice.
class RingtoneTransfer : public QObject
{
    Q_OBJECT
public:
    explicit RingtoneTransfer(frmRing &window);

    // Saves the ringtone text of the selected row; the no-result row and an
    // empty list save nothing.
    void lstMain_DblClick();

    // One line of text as it lands on disk: Windows-1252, CR LF, "?" for a
    // character the code page lacks.
    static QByteArray textLine(const QString &text);

private:
    // Asks for a file and writes `text` to it. Returns the chosen name,
    // empty when the user cancelled.
    QString GetFileToSave(const QString &text);
    bool writeReplacing(const QString &path, const QString &text);
    static QString saveStartFolder();

    frmRing &m_window;
};

} // namespace brivello::ringtones
