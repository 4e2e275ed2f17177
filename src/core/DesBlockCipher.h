#pragma once

#include <QtGlobal>
#include <array>

// The DES block function of FIPS 46-3 with the 16 round keys of one 8-byte key. Bits are
// numbered from the most significant bit of the first byte.
class DesBlockCipher
{
public:
    explicit DesBlockCipher(const quint8 key[8]);

    void encryptBlock(const quint8 in[8], quint8 out[8]) const;
    void decryptBlock(const quint8 in[8], quint8 out[8]) const;

private:
    quint64 crypt(quint64 block, bool decrypt) const;

    std::array<quint64, 16> m_roundKeys{};
};
