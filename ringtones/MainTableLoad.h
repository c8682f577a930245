#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>

#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace brivello::data {
class Catalogue;
class Table;
} // namespace brivello::data

namespace brivello::ringtones {

// Reads the listed columns of the ringtone table on a thread of its own, so
// that the window stays usable while a large catalogue is read. The read
// starts once, when asked; whoever needs the table before it is ready either
// waits for finished() or takes it at once and waits there.
class MainTableLoad : public QObject
{
    Q_OBJECT
public:
    MainTableLoad(std::shared_ptr<data::Catalogue> catalogue, QStringList fields, QObject *parent = nullptr);
    // Stops a read under way and waits for its thread.
    ~MainTableLoad() override;

    void start();
    bool isReady() const;
    // The table; starts the read if needed and waits for it. Throws the
    // read's data::CatalogueError, every time it is asked.
    std::shared_ptr<const data::Table> take();

    // Runs on the reading thread before it reads, so that a test can hold
    // the read back; empty for none.
    static void setHoldForTests(std::function<void()> hold);

Q_SIGNALS:
    // The read has ended, with the table or with an error.
    void finished();

private:
    std::shared_ptr<data::Catalogue> m_catalogue;
    QStringList m_fields;
    std::shared_future<std::shared_ptr<const data::Table>> m_result;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace brivello::ringtones
