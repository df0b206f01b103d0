#pragma once
// The ini file, handled whole in memory: read on open, written back by UpdateFile.
// Section and key names compare without regard to case; sections and keys keep their
// order, new keys go to the end of their section and new sections to the end of the
// file. Comment and blank lines are kept as they were. Booleans are written 1 and 0 and
// read as integers that are true when not 0. Nothing here throws on a file error: the
// file operations answer false.

#include "platform/FormatSettings.h"

#include <string>
#include <vector>

class TMemIniFile {
public:
    TMemIniFile() = default;
    // Reads the file when it exists; Loaded() tells whether it did.
    explicit TMemIniFile(const std::string& fileName);
    // The typed reads and writes are virtual so that a test can put a failing file under
    // the code that reads or writes options.
    virtual ~TMemIniFile() = default;
    TMemIniFile(const TMemIniFile&) = default;
    TMemIniFile& operator=(const TMemIniFile&) = default;

    const std::string& FileName() const { return fileName_; }
    bool Loaded() const { return loaded_; }

    bool LoadFromFile(const std::string& fileName);
    // Writes the whole content to FileName().
    bool UpdateFile() const;
    bool SaveToFile(const std::string& fileName) const;

    void SetText(const std::string& text);
    std::string GetText() const;

    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& def) const;
    // Decimal, or hexadecimal with "$" or "0x"; anything else gives def.
    virtual int ReadInteger(const std::string& section, const std::string& key, int def) const;
    virtual bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // Reads decimal text with '.' or ',' (or the current decimal separator) as its
    // separator, so that a file reads back whatever locale wrote it. Text that is not a
    // number gives def.
    virtual long double ReadFloat(const std::string& section, const std::string& key, long double def) const;

    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value);
    virtual void WriteInteger(const std::string& section, const std::string& key, int value);
    virtual void WriteBool(const std::string& section, const std::string& key, bool value);
    // Double-precision decimal text (15 significant digits) with '.', whatever the locale.
    virtual void WriteFloat(const std::string& section, const std::string& key, long double value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSection(const std::string& section) const; // key names
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    struct Line {
        std::string key;   // empty for comment and blank lines
        std::string value; // the raw line for comment and blank lines
        bool isEntry = false;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);
    const Line* findEntry(const std::string& section, const std::string& key) const;

    std::string fileName_;
    bool loaded_ = false;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
};
