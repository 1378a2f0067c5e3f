#pragma once
// Value-stream bytes written out by hand from the tag rules, independent of
// TValueWriter: the expected side of the record tests, and hand-made records
// for the readers. A test that compares the writer with these sees two
// fields swapped, which a round trip through writer and reader cannot.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

class THandEncoding {
public:
    std::string Bytes;

    THandEncoding& Int(std::int64_t V)
    {
        if (V >= -128 && V <= 127)
            return Tag(2).Little(static_cast<std::uint64_t>(V), 1);
        if (V >= -32768 && V <= 32767)
            return Tag(3).Little(static_cast<std::uint64_t>(V), 2);
        return Tag(4).Little(static_cast<std::uint64_t>(V), 4);
    }

    // Tag 5: the 64-bit significand with its integer bit, then sign and
    // exponent (bias 16383), from frexp's halves of V.
    THandEncoding& Float(double V)
    {
        Tag(5);
        if (V == 0.0)
            return Little(0, 8).Little(std::signbit(V) ? 0x8000 : 0, 2);
        int Exponent = 0;
        const double Fraction = std::frexp(std::fabs(V), &Exponent); // [0.5, 1)
        const auto Significand = static_cast<std::uint64_t>(std::ldexp(Fraction, 64));
        const std::uint64_t Top = (V < 0 ? 0x8000u : 0u) | static_cast<std::uint64_t>(Exponent - 1 + 16383);
        return Little(Significand, 8).Little(Top, 2);
    }

    // Tag 6 for 7-bit texts of up to 255 characters, else tag 20 (UTF-8).
    THandEncoding& Str(const std::string& S)
    {
        bool Plain = S.size() <= 255;
        for (unsigned char C : S)
            Plain = Plain && C < 0x80;
        if (Plain)
            Tag(6).Little(S.size(), 1);
        else
            Tag(20).Little(S.size(), 4);
        Bytes += S;
        return *this;
    }

    THandEncoding& Bool(bool B) { return Tag(B ? 9 : 8); }
    THandEncoding& Begin() { return Tag(1); }
    THandEncoding& End() { return Tag(0); }

    // Tag 17: the date's IEEE double.
    THandEncoding& Date(double D)
    {
        std::uint64_t Bits = 0;
        std::memcpy(&Bits, &D, sizeof Bits);
        return Tag(17).Little(Bits, 8);
    }

private:
    THandEncoding& Tag(int T)
    {
        Bytes += static_cast<char>(T);
        return *this;
    }
    THandEncoding& Little(std::uint64_t V, int Count)
    {
        for (int I = 0; I < Count; ++I)
            Bytes += static_cast<char>((V >> (8 * I)) & 0xFF);
        return *this;
    }
};
