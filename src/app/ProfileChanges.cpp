#include "app/ProfileChanges.h"

#include "app/UserProfile.h"
#include "core/FieldScrambler.h"

bool ProfileChanges::isComplete(const ProfileForm& typed)
{
    if (typed.contact.trimmed().isEmpty() || ScreenInput(typed.company).isEmpty())
        return false;
    return !ScreenInput(typed.telephone1).isEmpty() || !ScreenInput(typed.telephone2).isEmpty();
}

ProfileForm ProfileChanges::toSend(const ProfileForm& typed)
{
    ProfileForm sent = typed;
    sent.telephone1 = ScreenInput(typed.telephone1);
    sent.telephone2 = ScreenInput(typed.telephone2);
    return sent;
}

void ProfileChanges::apply(UserProfile& profile, const ProfileForm& sent)
{
    profile.setText(QStringLiteral("company"), sent.company.trimmed());
    profile.setText(QStringLiteral("email"), sent.email.trimmed());
    profile.setText(QStringLiteral("telephone1"), sent.telephone1.trimmed());
    profile.setText(QStringLiteral("telephone2"), sent.telephone2.trimmed());
    profile.setText(QStringLiteral("address"), sent.address.trimmed());
}
