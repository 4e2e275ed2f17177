#pragma once

#include "app/RegistrationForm.h"
#include "service/HttpClient.h"

#include <QObject>
#include <QString>

#include <functional>

// The four requests of the registration window, over one HttpClient with the window clients'
// settings (its cookie store keeps the site's session from the code request to the
// registration). Answers are the site's scrambled answers, compared exactly as unscrambled.
// Like the client underneath, a callback runs once per request, on the UI thread, and never
// after this object is gone.
class RegistrationRequests : public QObject
{
    Q_OBJECT
public:
    struct Answer
    {
        bool ok = false; // false: no answer (no connection, HTTP error, time-out)
        QString text;    // the unscrambled answer
        QString error;   // why there is no answer
        bool is(const char* word) const { return ok && text == QLatin1String(word); }
    };
    using Callback = std::function<void(const Answer&)>;

    explicit RegistrationRequests(QObject* parent = nullptr);
    ~RegistrationRequests() override;

    // Every request ends within this time, however slowly the site answers.
    void setDeadlineMs(int ms);

    // "true" when the name is taken.
    void checkName(const QString& userName, Callback done);
    // Sends the SMS code to the trimmed number; "error" when the site refuses.
    void sendCode(const QString& mobile, Callback done);
    // "true" when the trimmed code is the one sent for userName (the verified mobile number).
    void verifyCode(const QString& code, const QString& userName, Callback done);
    // Creates the account; "true" on success. The password goes in clear in the body, as the
    // site expects; it is never logged and never part of an address.
    void submit(const RegistrationForm& form, Callback done);

    // The registration route's fields, in the order the site reads them.
    static FormFields formFields(const RegistrationForm& form);

private:
    void finish(const char* what, const HttpReply& reply, const Callback& done) const;

    HttpClient* m_http;
};
