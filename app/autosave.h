#pragma once

#include "document/figure.h"

#include <QMutex>
#include <QObject>
#include <QThreadPool>

#include <optional>

// Keeps the recovery file after every change without holding up the window:
// the figure is taken as a value at once and written on a worker thread; a
// newer figure waiting to be written replaces an older one, so only the last
// state is written when changes come faster than the disk.
class Autosave : public QObject
{
    Q_OBJECT

public:
    explicit Autosave(QObject *parent = nullptr);
    ~Autosave() override;

    void save(Figure figure);
    // Waits until everything asked for is written (before the file is removed).
    void finish();

private:
    void writeWaiting();

    QMutex m_lock;
    std::optional<Figure> m_waiting;
    bool m_writing = false;
    QThreadPool m_writer;
};
