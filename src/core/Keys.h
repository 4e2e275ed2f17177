#pragma once

// The program's two fixed keys, defined here and nowhere else. The sandbox exchange and the
// servers use the same scrambling key.

// Enciphers the built-in configuration and the remembered password; DES uses its first 8 chars.
inline constexpr char kConfigurationKey[] = "TovantaConfKey16";

// Field scrambling key: byte i of a value is combined with kScrambleKey[i % 8].
inline constexpr char kScrambleKey[] = "Tv8kScr!";
inline constexpr int kScrambleKeyLength = 8;

static_assert(sizeof(kConfigurationKey) == 17, "the configuration key has 16 characters");
static_assert(sizeof(kScrambleKey) == kScrambleKeyLength + 1, "the scrambling key has 8 bytes");
