#pragma once

// Where a ringtone text comes into a tool: typed or pasted into the box,
// opened from a file (a file of several tunes lets the user choose one),
// and read at once by the tolerant reader, whose fixes are listed in plain
// Italian and whose refusal says where and why.

#include "tools/ringtonetools/TuneReading.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace brivello::ringtonetools {

struct ToolServices;

class TuneInput : public QWidget
{
    Q_OBJECT
public:
    TuneInput(const ToolServices &services, QWidget *parent = nullptr);

    // Puts a text in the box as if the user had typed it; `origin` says
    // where it comes from ("Dal catalogo: ...").
    void setTune(const QString &text, const QString &origin = QString());
    void setTunes(const QStringList &tunes, const QString &origin);
    const TuneReading &reading() const { return m_reading; }
    bool hasMelody() const { return m_reading.reading.ok(); }

    void openFile();
    void pasteClipboard();

    QPlainTextEdit &textBox() const { return *m_text; }
    QComboBox &tuneChoice() const { return *m_choice; }
    QListWidget &notes() const { return *m_notes; }
    QLabel &origin() const { return *m_origin; }
    QPushButton &openButton() const { return *m_open; }
    QPushButton &pasteButton() const { return *m_paste; }

Q_SIGNALS:
    // The text changed; reading() holds what the reader made of it.
    void readingChanged();

private:
    void readText();
    void showReading();

    const ToolServices &m_services;
    QPlainTextEdit *m_text = nullptr;
    QComboBox *m_choice = nullptr;
    QListWidget *m_notes = nullptr;
    QLabel *m_origin = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_paste = nullptr;
    TuneReading m_reading;
};

} // namespace brivello::ringtonetools
