#pragma once

// Compositore Suonerie: the phone's composer on the computer. The keys of the
// phone's keypad, on the keyboard or by mouse, build the tune note by note on
// a screen that shows it as the phone does; it plays at any time, every change
// can be undone, and the tune is opened and saved as RTTTL, saved in the
// converter's formats, or handed to the disc's SMS tool.

#include "tools/ringtonetools/ComposerTune.h"

#include <QWidget>

#include <map>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace brivello::platform {
class Timer;
}

namespace brivello::ringtonetools {

class PlayerBar;
struct ToolServices;

class ComposerWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ComposerWindow(const ToolServices &services, QWidget *parent = nullptr);
    ~ComposerWindow() override;

    const ComposerTune &tune() const { return m_tune; }
    // Replaces the tune with an RTTTL text; false (the user told why) when
    // the text cannot be read.
    bool loadRtttl(const QString &text);

    QLabel &screen() const { return *m_screen; }
    QLabel &keys() const { return *m_keys; }
    QLabel &status() const { return *m_status; }
    QLineEdit &nameBox() const { return *m_name; }
    QLineEdit &artistBox() const { return *m_artist; }
    QSpinBox &tempoBox() const { return *m_tempo; }
    // The keypad button of a phone key: '0'..'9', '*', '#', 'C', '<', '>'.
    QPushButton &keypadButton(QChar key) const { return *m_keypad.at(key); }
    QPushButton &undoButton() const { return *m_undo; }
    QPushButton &openButton() const { return *m_open; }
    QPushButton &smsButton() const { return *m_sms; }
    QPushButton &saveButton(const QString &formatId) const { return *m_saves.at(formatId); }
    PlayerBar &playerBar() const { return *m_player; }

    // How long a note key is held before the note is dotted.
    static constexpr int HoldMilliseconds = 600;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildKeypad(QWidget *panel);
    void press(QChar key);
    void keyReleasedByMouse();
    void holdElapsed();
    bool handleKey(int key, bool autoRepeat, Qt::KeyboardModifiers modifiers);
    void apply(bool changed, const QString &refusal = QString());
    void refresh();
    void openFile();
    void sendBySms();

    const ToolServices &m_services;
    ComposerTune m_tune;
    QLabel *m_screen = nullptr;
    QLabel *m_keys = nullptr;
    QLabel *m_status = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_artist = nullptr;
    QSpinBox *m_tempo = nullptr;
    QPushButton *m_undo = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_sms = nullptr;
    PlayerBar *m_player = nullptr;
    std::map<QChar, QPushButton *> m_keypad;
    std::map<QString, QPushButton *> m_saves;
    std::unique_ptr<platform::Timer> m_hold;
    int m_heldKey = 0; // the note key held on the keyboard, 0 for none
    bool m_heldDotted = false;
};

} // namespace brivello::ringtonetools
