#pragma once

#include <QString>

class UserProfile;

// The contact group of every publishing window: four check boxes whose captions come from the
// user profile, and the contact line made of the checked ones.
class ContactLine
{
public:
    struct Box
    {
        QString caption;
        bool checked = true;
    };
    struct Boxes
    {
        Box mobile, telephone1, telephone2, company;
    };

    // The captions from the profile: the mobile cut to 11 characters, the others to 32; control
    // characters (a profile is another program's text) are left out. Every box is checked.
    static Boxes fromProfile(const UserProfile& profile);
    // Land listings: a space and the caption for every checked box in order, then trimmed.
    static QString land(const Boxes& boxes);
    // Air, sea and rail listings: caption and a space for each checked telephone box, then the
    // company caption; not trimmed (the rail window trims it itself).
    static QString family(const Boxes& boxes);
};
