#pragma once

#include "base/Result.h"
#include "imagefile/ImageFileStream.h"

#include <QImage>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace tessaly {

/// An image file written on a thread of its own: blocks of rows queue up and are encoded
/// while the caller goes on. The queue holds a few blocks at most, so a slow disk holds
/// the caller back instead of letting the waiting rows fill the memory.
class QueuedImageFile
{
public:
    static constexpr std::size_t QueuedBlocks = 4;

    explicit QueuedImageFile(std::unique_ptr<ImageFileStream> stream);
    /// An unfinished file is given up: nothing appears at its name.
    ~QueuedImageFile();
    QueuedImageFile(const QueuedImageFile &) = delete;
    QueuedImageFile &operator=(const QueuedImageFile &) = delete;

    /// Queues rows of the picture's width; waits while the queue is full. Fails, once the
    /// writing has failed, with the reason.
    Result<void> addRows(QImage rows);
    /// Waits for the queued rows and puts the file in place.
    Result<void> commit();

    int width() const { return m_width; }
    /// The rows queued so far.
    int rows() const { return m_rows; }

private:
    void run();
    void stop();

    std::unique_ptr<ImageFileStream> m_stream;
    const int m_width;
    int m_rows = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QImage> m_queue;
    bool m_ending = false;                 // no more rows come
    bool m_abandoned = false;              // the file is given up
    std::optional<Result<void>> m_outcome; // set by the thread when it fails or ends
    std::thread m_thread;
};

} // namespace tessaly
