#pragma once

#include "im/ChatLine.h"

#include <QString>
#include <QVector>

// The texts of the chat window: the markup of a line, the escaping of what users typed, the
// title and the header.
namespace ChatText {

// What a user typed, made safe to place inside the conversation document: shown exactly as
// typed, never run as markup or script. "&", "<", ">" and quotes become entities, a carriage
// return (or a line feed on its own) a line break, a blank "&nbsp;"; control characters that
// XML forbids are dropped. Web addresses starting
// "http://" or "https://" become blue links that end before the next blank or line break.
QString escape(const QString& text);

// The markup of one line: a grey header "<name> MM-DD HH:MM:SS ：" and the body beneath it.
// History lines are greyed as a whole.
enum class Tone
{
    Current,
    History
};
QString renderLine(const QString& name, const QString& text, const QDateTime& time,
                   Tone tone = Tone::Current);

// The earlier lines shown when a conversation opens: greyed, above a thin separator. Empty
// when there are none.
QString historyBlock(const QVector<ChatLine>& lines);

// The conversation document around the lines so far: the body with the theme colour's
// scroll bars, breaking long words, no context menu, 9pt 宋体.
QString conversationDocument(const QString& content);

// The window caption: the name followed by "- 对话" with no blank before the dash.
QString title(const QString& name);
// "某人": the peer is not a friend.
QString unknownPeerName();
// The header when the friend is offline.
QString offlineHeader(const QString& name);

// Whether the send-key setting asks for Ctrl+Enter ("ctrlenter" in any letter case).
bool sendsWithCtrlEnter(const QString& sendKeySetting);

} // namespace ChatText
