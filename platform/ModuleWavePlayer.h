#pragma once

#include "platform/WavePlayer.h"

#include <memory>

namespace brivello::platform {

// The program's wave player: the one of the wave module beside the program,
// loaded on the first open. Qt Multimedia and the score of sound libraries
// it brings are then not loaded at start-up, and a run that plays nothing
// never loads them. Without the module nothing opens, and failure() says why.
class ModuleWavePlayer final : public WavePlayer
{
public:
    // `folder` holds the module; the program's own folder.
    explicit ModuleWavePlayer(QString folder);
    ~ModuleWavePlayer() override;

    bool open(const QString &file) override;
    void play() override;
    void stop() override;
    void close() override;
    PlayerMode mode() const override;
    QString failure() const override;

    // The module's file name in its folder.
    static QString moduleFileName();

private:
    bool load();

    QString m_folder;
    std::unique_ptr<WavePlayer> m_player;
    QString m_failure;
};

} // namespace brivello::platform
