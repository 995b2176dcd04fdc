#include "app/autosave.h"

#include "app/recovery.h"

Autosave::Autosave(QObject *parent)
    : QObject(parent)
{
    m_writer.setMaxThreadCount(1);
}

Autosave::~Autosave()
{
    finish();
}

void Autosave::save(Figure figure)
{
    QMutexLocker locker(&m_lock);
    m_waiting = std::move(figure);
    if (m_writing)
        return; // the running writer takes it next
    m_writing = true;
    m_writer.start([this] { writeWaiting(); });
}

void Autosave::writeWaiting()
{
    for (;;) {
        std::optional<Figure> figure;
        {
            QMutexLocker locker(&m_lock);
            if (!m_waiting) {
                m_writing = false;
                return;
            }
            figure.swap(m_waiting);
        }
        Recovery::save(*figure); // a failure here must not stop the work; the next change tries again
    }
}

void Autosave::finish()
{
    m_writer.waitForDone();
}
