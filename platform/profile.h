#pragma once
// Profile (INI) files with the rules of the Windows profile functions: names without a
// folder live in the Windows directory and match without regard to case, so do sections and
// keys (first occurrence wins), and writing a key leaves every other line as it was.

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Profile {
public:
    static constexpr size_t kMaxValue = 2047;
    // What is read of a file: far more than the product's settings need, and a file someone
    // made huge costs no more.
    static constexpr size_t kMaxBytes = size_t(1) << 20;

    // The file a profile name designates. A bare name is looked up in the Windows directory,
    // taking an existing file whose name differs only in case.
    static QString resolve(const std::string& fileName);

    // Reads the file once, at most its first kMaxBytes (cut()); a missing or unreadable file
    // reads as empty. A file not read whole is never written.
    static Profile load(const std::string& fileName);
    static Profile fromText(std::string text);

    bool exists() const { return exists_; }
    bool cut() const { return cut_; }
    const QString& path() const { return path_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Integers: decimal with an optional sign, or hexadecimal after "0x", "0X" or "$";
    // anything else (or a value beyond 32 bits) gives the default.
    int32_t readInt(std::string_view section, std::string_view key, int32_t defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Sets one key, creating folder, file, section or key as needed; the file is the old or the
    // new one at every moment. On failure returns false and, when asked, the reason.
    static bool writeString(const std::string& fileName, std::string_view section,
                            std::string_view key, std::string_view value, QString* error = nullptr);
    // Several keys of one section in one replacement, in the order given.
    static bool writeStrings(const std::string& fileName, std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& values,
                             QString* error = nullptr);
    // The text after setting one key; the pure part of writeString.
    static std::string withValue(std::string text, std::string_view section, std::string_view key,
                                 std::string_view value);

private:
    std::string text_;
    QString path_;
    bool exists_ = false;
    bool unreadable_ = false; // there, but not read completely (or not a plain file)
    bool cut_ = false;        // larger than kMaxBytes: only the lines before were read
};
