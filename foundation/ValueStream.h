#pragma once
// The tagged binary value stream of documents, the undo file and the fitting
// database files. Every value is a one-byte tag and its little-endian payload.
// Strings are UTF-8 in memory.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Raised for every malformed, truncated or unwritable stream. The message is
// one of "Stream read error", "Invalid property value" or "Stream write error".
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TValueTag : std::uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5,
    vaString = 6, vaFalse = 8, vaTrue = 9, vaLString = 12, vaDate = 17,
    vaWString = 18, vaInt64 = 19, vaUTF8String = 20, vaDouble = 21
};

// Collects the encoded bytes in memory; SaveToFile writes them out in one go.
class TValueWriter {
public:
    void WriteInteger(std::int32_t V);
    void WriteFloat(double V);
    void WriteString(const std::string& S);
    void WriteBoolean(bool B);
    void WriteDate(double D);
    void WriteListBegin();
    void WriteListEnd();

    const std::string& Bytes() const { return Buffer; }
    std::size_t Size() const { return Buffer.size(); }

    // Writes the bytes to FileName as SaveFileAtomically does (AtomicSave.h),
    // so a failure leaves any previous file intact; raises "Stream write error".
    void SaveToFile(const std::string& FileName) const;

private:
    std::string Buffer;
};

// Reads from bytes held in memory; every length is checked against what remains.
// A read that fails leaves the position where it was. Strings of tags 6 and 12
// are taken as Windows-1252; damaged UTF-8 (tag 20) and unpaired UTF-16
// surrogates (tag 18) read as U+FFFD rather than failing the whole file.
class TValueReader {
public:
    explicit TValueReader(std::string Bytes);
    // Reads the whole file; raises "Stream read error" when it cannot be read.
    static TValueReader FromFile(const std::string& FileName);

    std::int32_t ReadInteger();
    double ReadFloat();
    std::string ReadString();
    bool ReadBoolean();
    double ReadDate();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList() const; // next tag is 0; nothing consumed
    TValueTag NextTag() const; // raises "Stream read error" at the end

    std::size_t Position() const { return Pos; }
    void Seek(std::size_t P); // raises "Stream read error" beyond the end
    std::size_t Size() const { return Data.size(); }
    bool AtEnd() const { return Pos >= Data.size(); }

private:
    std::string Data;
    std::size_t Pos = 0;
};

// 80-bit extended float conversions done on the bits, independent of long double.
void DoubleToExtended(double V, std::uint8_t Out[10]);
double ExtendedToDouble(const std::uint8_t In[10]);
