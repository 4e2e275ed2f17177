#include "publish/ContactLine.h"

#include "app/UserProfile.h"
#include "core/TextTrim.h"

namespace {

constexpr int kMobileWidth = 11;
constexpr int kCaptionWidth = 32;

QString caption(const QString& value, int width)
{
    QString printable;
    printable.reserve(value.size());
    for (const QChar c : value) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            printable += c;
    }
    // Never half a surrogate pair at the cut.
    int length = qMin(width, printable.size());
    if (length > 0 && length < printable.size() && printable.at(length - 1).isHighSurrogate())
        --length;
    return printable.left(length);
}

} // namespace

ContactLine::Boxes ContactLine::fromProfile(const UserProfile& profile)
{
    Boxes boxes;
    boxes.mobile.caption = caption(profile.mobile, kMobileWidth);
    boxes.telephone1.caption = caption(profile.telephone1, kCaptionWidth);
    boxes.telephone2.caption = caption(profile.telephone2, kCaptionWidth);
    boxes.company.caption = caption(profile.company, kCaptionWidth);
    return boxes;
}

QString ContactLine::land(const Boxes& boxes)
{
    QString line;
    for (const Box* box : {&boxes.mobile, &boxes.telephone1, &boxes.telephone2, &boxes.company}) {
        if (box->checked)
            line += QLatin1Char(' ') + box->caption;
    }
    return TrimLowChars(line);
}

QString ContactLine::family(const Boxes& boxes)
{
    QString line;
    for (const Box* box : {&boxes.mobile, &boxes.telephone1, &boxes.telephone2}) {
        if (box->checked)
            line += box->caption + QLatin1Char(' ');
    }
    if (boxes.company.checked)
        line += boxes.company.caption;
    return line;
}
