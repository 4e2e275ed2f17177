// Writes numbered lines into a chat history until it is killed, printing each number once its
// line is stored: the history test kills it mid-way and reopens the file.
#include "im/ChatHistory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <history file>\n", argv[0]);
        return 2;
    }
    ChatHistory history(QString::fromLocal8Bit(argv[1]));
    for (int i = 0;; ++i) {
        const ChatLine line{QStringLiteral("lina@localhost"), QStringLiteral("line %1").arg(i),
                            QDateTime::currentDateTime()};
        if (!history.append(QStringLiteral("lina@localhost"), QStringLiteral("chenjie@localhost"),
                            line)) {
            std::fprintf(stderr, "%s\n", qPrintable(history.error()));
            return 1;
        }
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
