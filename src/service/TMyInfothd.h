#pragma once

#include "service/LoaderJob.h"

#include <functional>

class HttpClient;
struct HttpReply;

// Fetches the signed-in user's profile into the session, then always runs the main window's
// after-login step (also when the fetch failed).
class TMyInfothd : public LoaderJob
{
    Q_OBJECT
public:
    explicit TMyInfothd(std::function<void()> afterLogin, QObject* parent = nullptr);

    // The user name of a login identity: everything before its first "@".
    static QString userNameOf(const QString& loginIdentity);
    // Fills the session's profile from the profile route's answer text (already read as a
    // scrambled answer). Returns false when it is not a JSON object; the profile then stays.
    static bool fillProfile(const QString& answerText);

protected:
    void run() override;

private:
    void answerArrived(const HttpReply& reply);

    std::function<void()> m_afterLogin;
    HttpClient* m_client = nullptr;
};
