#pragma once

#include "app/ProfileForm.h"
#include "service/HttpClient.h"

#include <QObject>

#include <functional>

// The profile window's post to the updatepro route, over one HttpClient with the window
// clients' settings. The callback runs once per post, on the UI thread, and never after this
// object is gone.
class ProfileUpdateRequest : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        Updated, // "true"
        Refused, // "false"
        Failed   // no answer, an HTTP error, the deadline, or an answer that is no boolean word
    };
    using Callback = std::function<void(Outcome)>;

    explicit ProfileUpdateRequest(QObject* parent = nullptr);

    void setDeadlineMs(int ms);
    // Posts the form as given (the caller screens what it screens).
    void submit(int userId, const ProfileForm& form, Callback done);

    // The route's fields in the order the site reads them, each value as the program's GBK
    // text would carry it (characters GBK lacks become "?").
    static FormFields formFields(int userId, const ProfileForm& form);
    // How an answer reads.
    static Outcome outcomeOf(const HttpReply& reply);

private:
    HttpClient* m_http;
};
