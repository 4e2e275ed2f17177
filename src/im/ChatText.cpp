#include "im/ChatText.h"

#include "core/XmlEscape.h"

namespace {

const QString kBlank = QStringLiteral("&nbsp;");
const QString kLineBreak = QStringLiteral("&nbsp;<br>");

// Entities for what markup would read (the characters XML forbids are dropped with them),
// then line breaks and blanks.
QString escapeCharacters(const QString& text)
{
    const QString entities = XmlEscape::text(text);
    QString out;
    out.reserve(entities.size() + entities.size() / 4);
    QChar previous;
    for (const QChar c : entities) {
        if (c == QLatin1Char('"'))
            out += QLatin1String("&quot;");
        else if (c == QLatin1Char('\''))
            out += QLatin1String("&#39;");
        else if (c == QLatin1Char('\r'))
            out += kLineBreak;
        else if (c == QLatin1Char('\n'))
            // CR LF is one break (the CR's); a line feed on its own is a break as well.
            out += previous == QLatin1Char('\r') ? QString(c) : kLineBreak;
        else if (c == QLatin1Char(' '))
            out += kBlank;
        else
            out += c;
        previous = c;
    }
    return out;
}

int nextLinkStart(const QString& text, int from)
{
    const int http = text.indexOf(QLatin1String("http://"), from);
    const int https = text.indexOf(QLatin1String("https://"), from);
    if (http < 0)
        return https;
    if (https < 0)
        return http;
    return qMin(http, https);
}

int linkEnd(const QString& text, int start)
{
    int end = text.indexOf(kBlank, start);
    const int feed = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0 || (feed >= 0 && feed < end))
        end = feed;
    return end < 0 ? text.size() : end;
}

// The escaped text holds no quote, so a link cannot leave its attribute.
QString markLinks(const QString& escaped)
{
    QString out;
    int pos = 0;
    for (int start = nextLinkStart(escaped, pos); start >= 0; start = nextLinkStart(escaped, pos)) {
        out += escaped.midRef(pos, start - pos);
        const int end = linkEnd(escaped, start);
        const QString link = escaped.mid(start, end - start);
        out += QLatin1String("<a href=\"") + link +
               QLatin1String("\" target=\"_blank\"><font color=\"#0000ff\">") + link +
               QLatin1String("</font></a>");
        pos = end;
    }
    out += escaped.midRef(pos);
    return out;
}

} // namespace

namespace ChatText {

QString escape(const QString& text)
{
    return markLinks(escapeCharacters(text));
}

QString renderLine(const QString& name, const QString& text, const QDateTime& time, Tone tone)
{
    const bool history = tone == Tone::History;
    const QString header = name + QLatin1Char(' ') +
                           time.toString(QStringLiteral("MM-dd HH:mm:ss")) + QStringLiteral(" ：");
    // The body's font and colour are fixed: nothing of the sender's name goes into a style.
    return QStringLiteral("<DIV style=\"padding-bottom:2px;color:%1\">")
               .arg(history ? QStringLiteral("#A0A0A0") : QStringLiteral("#545454")) +
           escape(header) +
           QStringLiteral("</DIV><DIV style=\"padding-left:9px;padding-bottom:2px;"
                          "font-family:宋体,SimSun,sans-serif;color:%1;font-size:9pt;"
                          "text-decoration:\">")
               .arg(history ? QStringLiteral("#909090") : QStringLiteral("#000000")) +
           escape(text) + QStringLiteral(" </DIV>");
}

QString historyBlock(const QVector<ChatLine>& lines)
{
    if (lines.isEmpty())
        return QString();
    QString html = QStringLiteral("<DIV class=\"history\">");
    for (const ChatLine& line : lines)
        html += renderLine(line.name, line.text, line.time, Tone::History);
    html += QStringLiteral("</DIV><HR class=\"history-end\" style=\"border:0;"
                           "border-top:1px solid #B8C4D4;height:0;margin:2px 0 4px 0\">");
    return html;
}

QString conversationDocument(const QString& content)
{
    const QString colour = QStringLiteral("#CEDCEF");
    const QString style =
        QStringLiteral("SCROLLBAR-FACE-COLOR:") + colour + QStringLiteral(";") +
        QStringLiteral("SCROLLBAR-HIGHLIGHT-COLOR: ButtonHighLight;") +
        QStringLiteral("SCROLLBAR-SHADOW-COLOR:ButtonShadow;") +
        QStringLiteral("SCROLLBAR-ARROW-COLOR: #333333;") +
        QStringLiteral("SCROLLBAR-3DLIGHT-COLOR:") + colour + QStringLiteral(";") +
        QStringLiteral("SCROLLBAR-TRACK-COLOR:") + colour + QStringLiteral(";") +
        QStringLiteral("SCROLLBAR-DARKSHADOW-COLOR:") + colour + QStringLiteral(";") +
        QStringLiteral("word-break:break-all;") + QStringLiteral("background-attachment: fixed;") +
        QStringLiteral("background-repeat: no-repeat;") +
        QStringLiteral("background-position: left top;") +
        QStringLiteral("overflow:auto;border:0px solid;margin:2px;font-family:宋体;font-size:9pt;");
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
                          "<body oncontextmenu=\"return false;\" style=\"") +
           style + QStringLiteral("\">") + content + QStringLiteral("</body></html>");
}

QString title(const QString& name)
{
    return name + QStringLiteral("- 对话");
}

QString unknownPeerName()
{
    return QStringLiteral("某人");
}

QString offlineHeader(const QString& name)
{
    return QStringLiteral("因为没有联机，") + name + QStringLiteral(" 可能无法收到您的消息！");
}

bool sendsWithCtrlEnter(const QString& sendKeySetting)
{
    return sendKeySetting.compare(QLatin1String("ctrlenter"), Qt::CaseInsensitive) == 0;
}

} // namespace ChatText
