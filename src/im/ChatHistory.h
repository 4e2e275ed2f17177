#pragma once

#include "im/ChatLine.h"

#include <QString>
#include <QVector>

// The local message history: every line shown in a conversation, per login identity and peer,
// in an SQLite database (write-ahead log, one transaction a line, so a killed process loses at
// most the line being written). Opened on first use. A file that cannot be opened, read or
// written makes the history unavailable for the rest of the run; chatting goes on without it.
class ChatHistory
{
public:
    // <executable directory>/data/chat-history.db
    static QString defaultPath();

    explicit ChatHistory(const QString& path);
    ~ChatHistory();
    ChatHistory(const ChatHistory&) = delete;
    ChatHistory& operator=(const ChatHistory&) = delete;

    // False when the line could not be stored (the reason is in error()).
    bool append(const QString& owner, const QString& peer, const ChatLine& line);
    // The last `count` lines of the conversation, oldest first.
    QVector<ChatLine> last(const QString& owner, const QString& peer, int count);

    // False once opening, reading or writing has failed.
    bool available() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString path() const { return m_path; }

private:
    bool open();
    void fail(const QString& what, const QString& reason);

    QString m_path;
    QString m_connection;
    bool m_open = false;
    QString m_error;
};
