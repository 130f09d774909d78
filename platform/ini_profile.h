// INI profile on CP932 bytes, with the behaviour the program's settings files rely on:
// sections and keys compare without regard to (ASCII) case, values are trimmed, a missing key
// gives the default, integers are read tolerantly, writing keeps every other section, key,
// comment and blank line in place, and saving is atomic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class IniProfile {
  public:
    IniProfile() = default;
    // Loads the file when it exists; a missing file gives an empty profile.
    explicit IniProfile(std::string path);
    // The profile of path from bytes already read (Loaded() is true); Save writes to path.
    IniProfile(std::string path, const std::string& bytes);

    const std::string& Path() const { return path_; }
    // True when the file existed and was read when the profile was made.
    bool Loaded() const { return loaded_; }
    // Reads the file again; false when it is missing or unreadable (the profile is then empty).
    bool Reload();
    // Parses the bytes of an INI file (CR LF, LF or CR line ends).
    void Parse(const std::string& bytes);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal with blanks and a sign, or hex with "$" / "0x"; anything else gives the default.
    // Values outside 32 bits wrap, so stored colours such as 4294967295 read as -1.
    int32_t ReadInteger(const std::string& section, const std::string& key,
                        int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // CR and LF in a value become blanks: a value is one line.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

    // The file's bytes as they would be saved (CR LF line ends).
    std::string Serialize() const;
    // Atomic save to Path(); false when it failed (the old file is then kept whole).
    bool Save() const;

  private:
    struct Line {
        std::string raw;  // the line as it is written back
        std::string key;  // empty for comments, blanks and other lines without an entry
        std::string value;
        bool isEntry = false;
    };
    struct Section {
        std::string name;    // as written; empty for lines before the first header
        std::string header;  // the header line as read; empty before the first header
        std::vector<Line> lines;
    };

    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;

    std::string path_;
    bool loaded_ = false;
    std::vector<Section> sections_;
};

}  // namespace platform
