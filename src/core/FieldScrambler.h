#pragma once

#include <QString>

// Reversible obfuscation of single values exchanged with the servers: the UTF-8 bytes of the
// value XOR the repeating scrambling key (Keys.h), two upper-case hex digits per byte.
// Empty or blank input (only characters with code 32 or less) gives the empty text.
QString ScrambleField(const QString& text);

// Inverse of ScrambleField. Never throws: an odd last digit is ignored, and a pair that is not
// hexadecimal ends the reading; the bytes read before it are decoded.
QString UnscrambleField(const QString& scrambled);

// Replaces every occurrence of find in one left-to-right pass; a replacement is never scanned
// again. Case-insensitive comparison upper-cases both sides character by character.
QString ReplaceText(const QString& text, const QString& find, const QString& replacement,
                    bool caseSensitive);

// What the forms do to free text before it goes into a request: trims the ends, then removes
// brackets, quotes, "/", "<", ">" and SQL words, case-sensitively, in a fixed order.
QString ScreenInput(const QString& text);

// The apostrophe check of the login fields.
bool ContainsApostrophe(const QString& text);

// The check of the registration's user name and password: an apostrophe, or more than maxBytes
// bytes in GBK.
bool ContainsApostropheOrTooLong(const QString& text, int maxBytes = 20);
