#pragma once
// The program's persistent settings, as sections of named typed values.
// The engine reads and writes its settings only through this interface; the
// platform layer stores them on disk, tests use TMemorySettingsStore.

#include <map>
#include <string>
#include <vector>

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;

    virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                   const std::string& Default) const = 0;
    virtual void WriteString(const std::string& Section, const std::string& Ident,
                             const std::string& Value) = 0;
    virtual bool ValueExists(const std::string& Section, const std::string& Ident) const = 0;
    virtual std::vector<std::string> ReadSectionIdents(const std::string& Section) const = 0;
    // Names of the sections that hold at least one value.
    virtual std::vector<std::string> ReadSections() const = 0;
    virtual void EraseSection(const std::string& Section) = 0;
    virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
    // Writes what was changed to where it is kept. Answers an empty text when
    // all of it is kept, else a message naming what could not be written and
    // why (a store in memory keeps everything).
    virtual std::string Commit() { return {}; }

    // Typed values are kept as text; a stored text that is not a valid
    // number of the type reads as the Default.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    double ReadFloat(const std::string& Section, const std::string& Ident, double Default) const;
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
};

// An in-memory store: the default when no platform store is installed, and
// the store of the tests.
class TMemorySettingsStore : public TSettingsStore {
public:
    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const override;
    void WriteString(const std::string& Section, const std::string& Ident,
                     const std::string& Value) override;
    bool ValueExists(const std::string& Section, const std::string& Ident) const override;
    std::vector<std::string> ReadSectionIdents(const std::string& Section) const override;
    std::vector<std::string> ReadSections() const override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;

private:
    std::map<std::string, std::map<std::string, std::string>> Sections;
};
