#pragma once

// Musicbox: listen to a ringtone before sending it. The tune comes from a
// file, from the clipboard or typed, or from the disc's catalogue, searched
// as the ringtone window searches; it plays in the phone's voice with the
// note that sounds shown, once or in a loop, at the tempo the user sets.

#include <QWidget>

class QLabel;
class QTabWidget;

namespace brivello::ringtonetools {

class CataloguePicker;
class PlayerBar;
class TuneInput;
struct CatalogueTune;
struct ToolServices;

class MusicboxWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MusicboxWindow(const ToolServices &services, QWidget *parent = nullptr);

    TuneInput &input() const { return *m_input; }
    CataloguePicker &catalogue() const { return *m_catalogue; }
    PlayerBar &playerBar() const { return *m_player; }
    QTabWidget &tabs() const { return *m_tabs; }
    QLabel &status() const { return *m_status; }

private:
    void takeReading();
    void takeFromCatalogue(const CatalogueTune &tune);

    const ToolServices &m_services;
    QTabWidget *m_tabs = nullptr;
    TuneInput *m_input = nullptr;
    CataloguePicker *m_catalogue = nullptr;
    PlayerBar *m_player = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace brivello::ringtonetools
