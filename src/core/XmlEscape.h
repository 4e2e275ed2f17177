#pragma once

#include <QString>

// The one escaper for every XML text the client writes by hand (publish requests, roster
// iqs, anything given to the raw send). Characters XML 1.0 does not allow in a document
// (U+0000 to U+001F other than tab, line feed and carriage return, lone surrogates, U+FFFE and
// U+FFFF) are dropped: a single one makes the server close the stream as not well-formed.
namespace XmlEscape {

// Element content: "&", "<" and ">" escaped.
QString text(const QString& value);
// An attribute value for either quote character: "&", "<", ">", "'" and '"' escaped, and tab,
// line feed and carriage return written as references so that they survive the attribute
// value normalisation of the reader.
QString attribute(const QString& value);
// The value with only the forbidden characters dropped, for texts a library escapes itself.
QString allowedOnly(const QString& value);
// Whether a code point may stand in an XML 1.0 document.
bool isAllowed(char32_t codePoint);

} // namespace XmlEscape
