#include "ringtones/MainTableLoad.h"

#include "data/Catalogue.h"

#include <mutex>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

namespace {

std::mutex holdMutex;
std::function<void()> holdForTests;

void holdIfAsked()
{
    std::function<void()> hold;
    {
        const std::lock_guard lock(holdMutex);
        hold = holdForTests;
    }
    if (hold)
        hold();
}

} // namespace

MainTableLoad::MainTableLoad(std::shared_ptr<data::Catalogue> catalogue, QStringList fields, QObject *parent)
    : QObject(parent), m_catalogue(std::move(catalogue)), m_fields(std::move(fields))
{}

MainTableLoad::~MainTableLoad()
{
    // A program that ends while a large catalogue is read need not wait for it.
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void MainTableLoad::start()
{
    if (m_result.valid())
        return;
    std::promise<std::shared_ptr<const data::Table>> promise;
    m_result = promise.get_future().share();
    m_thread = std::thread([this, promise = std::move(promise)]() mutable {
        try {
            holdIfAsked();
            auto table = m_catalogue->table(u"Main"_s, m_fields, &m_stop);
            // The folded forms of the listed columns are made here too, so
            // the first search only scans.
            QList<int> columns;
            for (const QString &field : std::as_const(m_fields))
                columns.append(table->column(field));
            table->prepareFolded(columns);
            promise.set_value(std::move(table));
        } catch (...) {
            promise.set_exception(std::current_exception());
        }
        // The destructor joins this thread, so the object outlives the call;
        // the event is dropped if the object is gone by the time it comes.
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT finished(); }, Qt::QueuedConnection);
    });
}

bool MainTableLoad::isReady() const
{
    return m_result.valid() && m_result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

std::shared_ptr<const data::Table> MainTableLoad::take()
{
    start();
    return m_result.get();
}

void MainTableLoad::setHoldForTests(std::function<void()> hold)
{
    const std::lock_guard lock(holdMutex);
    holdForTests = std::move(hold);
}

} // namespace brivello::ringtones
