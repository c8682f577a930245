#pragma once

// Convertitore RTTTL: one tune to every phone. The five codes the catalogue
// shows, a table of how the tune fits each phone model of the limits table,
// and the tune saved in each format of the formats table.

#include "ringtones/melody/Melody.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace brivello::ringtonetools {

class PlayerBar;
class TuneInput;
struct ToolServices;

class ConverterWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ConverterWindow(const ToolServices &services, QWidget *parent = nullptr);

    TuneInput &input() const { return *m_input; }
    // The five codes, in the catalogue's order (nokia_hand, nokia_scherm,
    // siemens, ericsson, motorola).
    QPlainTextEdit &code(int index) const { return *m_codes.at(static_cast<std::size_t>(index)); }
    QTableWidget &fitTable() const { return *m_fit; }
    QLabel &summary() const { return *m_summary; }
    // The save buttons, one per format, in the formats table's order.
    QPushButton &saveButton(int index) const { return *m_saves.at(static_cast<std::size_t>(index)); }
    int saveButtonCount() const { return static_cast<int>(m_saves.size()); }
    QLabel &status() const { return *m_status; }

private:
    void showTune();
    void fillFitTable(const melody::Melody &tune);

    const ToolServices &m_services;
    TuneInput *m_input = nullptr;
    QLabel *m_summary = nullptr;
    std::vector<QPlainTextEdit *> m_codes;
    QTableWidget *m_fit = nullptr;
    PlayerBar *m_player = nullptr;
    std::vector<QPushButton *> m_saves;
    QLabel *m_status = nullptr;
};

} // namespace brivello::ringtonetools
