#pragma once

#include "app/ProfileForm.h"

class UserProfile;

// What the profile window does with its fields: the required-field check, the form that is
// sent, and the local copy of an accepted change.
class ProfileChanges
{
public:
    // Contact (trimmed), screened company and at least one screened telephone are filled.
    static bool isComplete(const ProfileForm& typed);
    // The form as it is sent: the telephones screened, everything else as typed.
    static ProfileForm toSend(const ProfileForm& typed);
    // An accepted change copied into the profile: company, e-mail, the telephones (as sent)
    // and address, trimmed and cut to their widths. Contact, sex and QQ stay as they were.
    static void apply(UserProfile& profile, const ProfileForm& sent);
};
