// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

namespace kvel {

// Reads what an offer's owner writes into a pipe as the event loop finds it
// readable, so a slow or stuck program never blocks the bar. Stops at a size
// limit; the pipe closes with the reader.
class OfferReader : public QObject
{
    Q_OBJECT

public:
    // Takes over fd, the pipe's read end.
    OfferReader(int fd, qsizetype limit, QObject* parent = nullptr);
    ~OfferReader() override;

signals:
    // Everything written up to the end of the pipe or the limit; not sent
    // when reading fails.
    void finished(const QByteArray& data);

private:
    void readAvailable();
    void close();

    int m_fd;
    const qsizetype m_limit;
    QByteArray m_data;
    QSocketNotifier m_notifier;
};

} // namespace kvel
