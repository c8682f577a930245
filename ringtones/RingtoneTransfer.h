#pragma once

#include "ringtones/RingtoneParts.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace brivello::platform {
struct Platform;
}
namespace brivello::ui {
class PictureBox;
}

namespace brivello::ringtones {

// Takes a ringtone out of the catalogue: its ringtone text saved to a file
// of the user's choice, or handed to the SMS tool of the disc.
class RingtoneTransfer : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        RingtoneList list;
        ui::PictureBox &pctSend;
        ui::PictureBox &pctSMS;
    };

    RingtoneTransfer(const Controls &controls, RingtoneRecords &records, const platform::Platform &platform,
                     QObject *parent);

    // Saves the ringtone text of the selected row; the no-result row and an
    // empty list save nothing.
    void lstMain_DblClick();
    // Writes the scratch file, asks for the phone number and starts the SMS
    // tool with the number and the scratch file as its one argument.
    void pctSend_Click();
    // Starts the SMS tool alone.
    void pctSMS_Click();

    static QString smsToolPath();
    // temp.txt in the program folder when that can be written, else in the
    // user's temporary folder.
    static QString scratchPath();
    // "0039" and the number as typed, less one leading 0.
    static QString internationalNumber(const QString &typed);

    // One line of text as it lands on disk: Windows-1252, CR LF, "?" for a
    // character the code page lacks.
    static QByteArray textLine(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void saveSelectedRow();
    void sendSelectedRow();
    // Asks for a file and writes `text` to it. Returns the chosen name,
    // empty when the user cancelled.
    QString GetFileToSave(const QString &text);
    bool writeScratchFile(const RingtoneRow &selected);
    QString askNumber() const;
    void startSmsTool(const QStringList &arguments);
    void warn(const QString &text);
    static QString saveStartFolder();

    Controls m_controls;
    RingtoneRecords &m_records;
    const platform::Platform &m_platform;
};

} // namespace brivello::ringtones
