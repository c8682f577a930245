#pragma once

#include "platform/WavePlayer.h"

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace brivello::platform {

// The wave player on Qt Multimedia. It lives in the wave module, which the
// program loads on the first open (see ModuleWavePlayer); its player is made
// on that open too, so that a run that plays nothing never starts the
// multimedia back end.
class QtWavePlayer final : public WavePlayer
{
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    bool open(const QString &file) override;
    void play() override;
    void stop() override;
    void close() override;
    PlayerMode mode() const override;
    QString failure() const override;

private:
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_open = false;
    QString m_failure;
};

} // namespace brivello::platform

// What the module exports: a new player, for ModuleWavePlayer to own.
extern "C" Q_DECL_EXPORT brivello::platform::WavePlayer *brivello_make_wave_player();
