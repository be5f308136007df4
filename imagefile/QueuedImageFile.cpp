#include "imagefile/QueuedImageFile.h"

namespace tessaly {

QueuedImageFile::QueuedImageFile(std::unique_ptr<ImageFileStream> stream)
    : m_stream(std::move(stream)), m_width(m_stream->width()), m_thread([this] { run(); })
{
}

QueuedImageFile::~QueuedImageFile()
{
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void QueuedImageFile::run()
{
    for (;;) {
        QImage rows;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_abandoned || m_ending || !m_queue.empty(); });
            if (m_abandoned)
                return;
            if (m_queue.empty()) {
                // Ending with every block written: the file goes in place here, so that
                // the caller's wait covers the whole write.
                lock.unlock();
                Result<void> committed = m_stream->commit();
                lock.lock();
                m_outcome = std::move(committed);
                m_changed.notify_all();
                return;
            }
            rows = std::move(m_queue.front());
            m_queue.pop_front();
        }
        m_changed.notify_all(); // room in the queue
        if (Result<void> added = m_stream->addRows(rows); !added) {
            const std::lock_guard lock(m_mutex);
            m_outcome = std::move(added);
            m_queue.clear();
            m_changed.notify_all();
            return;
        }
    }
}

Result<void> QueuedImageFile::addRows(QImage rows)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_outcome || m_queue.size() < QueuedBlocks; });
    if (m_outcome)
        return *m_outcome;
    if (m_ending)
        return fail(QStringLiteral("The picture has already ended"));
    m_rows += rows.height();
    m_queue.push_back(std::move(rows));
    lock.unlock();
    m_changed.notify_all();
    return {};
}

Result<void> QueuedImageFile::commit()
{
    {
        std::unique_lock lock(m_mutex);
        m_ending = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_outcome.has_value(); });
    }
    m_thread.join();
    return *m_outcome;
}

} // namespace tessaly
