#include "platform/ModuleWavePlayer.h"

#include <QDir>
#include <QLibrary>

using namespace Qt::StringLiterals;

namespace brivello::platform {

namespace {

using MakePlayer = WavePlayer *(*)();

} // namespace

ModuleWavePlayer::ModuleWavePlayer(QString folder) : m_folder(std::move(folder)) {}

// The module stays loaded for the rest of the run (QLibrary does not unload
// it when it goes), so the player's code is there when it is destroyed.
ModuleWavePlayer::~ModuleWavePlayer() = default;

QString ModuleWavePlayer::moduleFileName()
{
    return u"brivello-wave.so"_s;
}

bool ModuleWavePlayer::load()
{
    if (m_player)
        return true;
    QLibrary module(QDir(m_folder).filePath(moduleFileName()));
    const auto make = reinterpret_cast<MakePlayer>(module.resolve("brivello_make_wave_player"));
    if (!make) {
        m_failure = u"manca il modulo audio del programma (%1): %2"_s.arg(
            QDir::toNativeSeparators(module.fileName()), module.errorString());
        return false;
    }
    m_player.reset(make());
    return true;
}

bool ModuleWavePlayer::open(const QString &file)
{
    if (!load())
        return false;
    return m_player->open(file);
}

void ModuleWavePlayer::play()
{
    if (m_player)
        m_player->play();
}

void ModuleWavePlayer::stop()
{
    if (m_player)
        m_player->stop();
}

void ModuleWavePlayer::close()
{
    if (m_player)
        m_player->close();
}

PlayerMode ModuleWavePlayer::mode() const
{
    return m_player ? m_player->mode() : PlayerMode::NotOpen;
}

QString ModuleWavePlayer::failure() const
{
    return m_player ? m_player->failure() : m_failure;
}

} // namespace brivello::platform
