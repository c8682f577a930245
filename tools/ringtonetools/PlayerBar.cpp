#include "tools/ringtonetools/PlayerBar.h"

#include "tools/ringtonetools/MelodyPlayer.h"
#include "tools/ringtonetools/TuneReading.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

PlayerBar::PlayerBar(std::shared_ptr<SoundOutput> output, platform::Clock &clock, Controls controls,
                     QWidget *parent)
    : QWidget(parent), m_player(new MelodyPlayer(std::move(output), clock, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_play = new QPushButton(u"▶ Suona"_s, this);
    m_play->setObjectName(u"suona"_s);
    m_stop = new QPushButton(u"■ Ferma"_s, this);
    m_stop->setObjectName(u"ferma"_s);
    m_stop->setEnabled(false);
    m_loop = new QCheckBox(u"Ripeti"_s, this);
    m_loop->setObjectName(u"ripeti"_s);
    m_tempo = new QSpinBox(this);
    m_tempo->setObjectName(u"tempo"_s);
    m_tempo->setRange(melody::MinBpm, melody::MaxBpm);
    m_tempo->setSuffix(u" bpm"_s);
    m_tempo->setToolTip(u"Velocità: battiti al minuto"_s);
    m_note = new QLabel(this);
    m_note->setObjectName(u"nota"_s);
    m_note->setMinimumWidth(260);
    QFont big = m_note->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_note->setFont(big);

    layout->addWidget(m_play);
    layout->addWidget(m_stop);
    if (controls == Controls::Full) {
        layout->addWidget(m_loop);
        layout->addWidget(new QLabel(u"Tempo:"_s, this));
        layout->addWidget(m_tempo);
    } else {
        m_loop->hide();
        m_tempo->hide();
    }
    layout->addWidget(m_note, 1);

    connect(m_play, &QPushButton::clicked, m_player, &MelodyPlayer::play);
    connect(m_stop, &QPushButton::clicked, m_player, &MelodyPlayer::stop);
    connect(m_loop, &QCheckBox::toggled, m_player, &MelodyPlayer::setLoop);
    connect(m_tempo, &QSpinBox::valueChanged, m_player, &MelodyPlayer::setTempo);
    connect(m_player, &MelodyPlayer::noteChanged, this, &PlayerBar::showNote);
    connect(m_player, &MelodyPlayer::playingChanged, this, &PlayerBar::showPlaying);
    connect(m_player, &MelodyPlayer::failed, this, &PlayerBar::failed);
    setMelody({});
}

PlayerBar::~PlayerBar() = default;

void PlayerBar::setMelody(const melody::Melody &tune)
{
    m_player->setMelody(tune);
    {
        const QSignalBlocker quiet(m_tempo);
        m_tempo->setValue(tune.bpm);
    }
    m_play->setEnabled(!tune.notes.empty());
    m_tempo->setEnabled(!tune.notes.empty());
    m_note->clear();
}

void PlayerBar::showNote(int index)
{
    const melody::Melody &tune = m_player->melody();
    if (index < 0 || index >= static_cast<int>(tune.notes.size())) {
        m_note->clear();
        return;
    }
    const melody::Note &note = tune.notes[static_cast<std::size_t>(index)];
    m_note->setText(
        u"%1/%2  %3  (%4)"_s.arg(index + 1).arg(tune.notes.size()).arg(noteToken(note), noteName(note)));
}

void PlayerBar::showPlaying(bool playing)
{
    m_stop->setEnabled(playing);
}

} // namespace brivello::ringtonetools
