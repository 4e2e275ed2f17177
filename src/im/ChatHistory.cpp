#include "im/ChatHistory.h"

#include "app/SessionState.h"
#include "im/ImLog.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

// The server ignores letter case in user names: "LiNa" and "lina" share one history.
QString normalised(const QString& jid)
{
    return jid.toLower();
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tovanta-chat-history-%1").arg(++counter);
}

} // namespace

QString ChatHistory::defaultPath()
{
    return SessionState::dataDirectory() + QStringLiteral("/chat-history.db");
}

ChatHistory::ChatHistory(const QString& path) : m_path(path), m_connection(nextConnectionName()) {}

ChatHistory::~ChatHistory()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void ChatHistory::fail(const QString& what, const QString& reason)
{
    m_error = what + QStringLiteral(": ") + reason;
    qCWarning(lcIm) << "chat history" << m_path << "unavailable:" << m_error;
}

bool ChatHistory::open()
{
    if (m_open)
        return true;
    if (!available())
        return false;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        fail(QStringLiteral("creating its folder"), QFileInfo(m_path).absolutePath());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        fail(QStringLiteral("opening"), db.lastError().text());
        return false;
    }
    QSqlQuery query(db);
    // A damaged file or one that is no database fails here, at the first read.
    const char* const setUp[] = {
        "PRAGMA journal_mode=WAL",
        "PRAGMA synchronous=NORMAL",
        "CREATE TABLE IF NOT EXISTS lines (id INTEGER PRIMARY KEY AUTOINCREMENT, owner TEXT NOT "
        "NULL, peer TEXT NOT NULL, sender TEXT NOT NULL, body TEXT NOT NULL, at INTEGER NOT NULL)",
        "CREATE INDEX IF NOT EXISTS lines_by_conversation ON lines (owner, peer, id)",
    };
    for (const char* statement : setUp) {
        if (!query.exec(QLatin1String(statement))) {
            fail(QStringLiteral("setting up"), query.lastError().text());
            db.close();
            return false;
        }
    }
    m_open = true;
    return true;
}

bool ChatHistory::append(const QString& owner, const QString& peer, const ChatLine& line)
{
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(
        QStringLiteral("INSERT INTO lines (owner, peer, sender, body, at) VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(normalised(owner));
    query.addBindValue(normalised(peer));
    query.addBindValue(line.name);
    query.addBindValue(line.text);
    query.addBindValue(line.time.toMSecsSinceEpoch());
    if (!query.exec()) {
        fail(QStringLiteral("storing a line"), query.lastError().text());
        return false;
    }
    return true;
}

QVector<ChatLine> ChatHistory::last(const QString& owner, const QString& peer, int count)
{
    QVector<ChatLine> lines;
    if (count <= 0 || !open())
        return lines;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT sender, body, at FROM lines WHERE owner = ? AND peer = ? "
                                 "ORDER BY id DESC LIMIT ?"));
    query.addBindValue(normalised(owner));
    query.addBindValue(normalised(peer));
    query.addBindValue(count);
    if (!query.exec()) {
        fail(QStringLiteral("reading"), query.lastError().text());
        return lines;
    }
    while (query.next()) {
        lines.prepend(ChatLine{query.value(0).toString(), query.value(1).toString(),
                               QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong())});
    }
    if (query.lastError().isValid()) {
        fail(QStringLiteral("reading"), query.lastError().text());
        lines.clear();
    }
    return lines;
}
