#pragma once

// Carica Suonerie: a ringtone of the disc's catalogue straight onto the phone.
// The catalogue is searched as the ringtone window searches it; the chosen
// ringtone can be heard, handed to the disc's SMS tool, and, through a phone
// link by cable, written into the phone's ringtone memory after the phone
// has said who it is.

#include "ringtones/melody/Melody.h"
#include "tools/ringtonetools/CataloguePicker.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;

namespace brivello::phone {
class ConnectionChooser;
}
class QLabel;
class QProgressBar;
class QPushButton;

namespace brivello::ringtonetools {

class PlayerBar;
struct ToolServices;

class LoaderWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LoaderWindow(const ToolServices &services, QWidget *parent = nullptr);

    CataloguePicker &catalogue() const { return *m_catalogue; }
    QLabel &chosen() const { return *m_chosen; }
    PlayerBar &playerBar() const { return *m_player; }
    QPushButton &smsButton() const { return *m_sms; }
    QGroupBox &phoneBox() const { return *m_phone; }
    // The phone controls exist only with a phone link; "Prova" of the
    // connection chooser identifies the phone.
    phone::ConnectionChooser *connectionChooser() const { return m_chooser; }
    QPushButton *identifyButton() const { return m_identify; }
    QPushButton *writeButton() const { return m_write; }
    QPushButton *cancelButton() const { return m_cancel; }
    QProgressBar *progress() const { return m_progress; }
    QLabel &phoneStatus() const { return *m_phoneStatus; }

private:
    void buildPhoneControls();
    void choose(const CatalogueTune &tune);
    void identify();
    void write();
    void cancel();
    void showBusy(bool busy);
    void connectionChanged();
    void identified(bool ok, const QString &message);
    void written(bool ok, const QString &message);

    const ToolServices &m_services;
    CataloguePicker *m_catalogue = nullptr;
    QLabel *m_chosen = nullptr;
    PlayerBar *m_player = nullptr;
    QPushButton *m_sms = nullptr;
    QGroupBox *m_phone = nullptr;
    phone::ConnectionChooser *m_chooser = nullptr;
    QPushButton *m_identify = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_cancel = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_phoneStatus = nullptr;
    std::optional<CatalogueTune> m_tune;
    std::optional<melody::Melody> m_melody;
    bool m_identified = false;
    bool m_busy = false;
};

} // namespace brivello::ringtonetools
