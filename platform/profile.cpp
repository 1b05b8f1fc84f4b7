#include "platform/profile.h"

#include "platform/numparse.h"
#include "platform/paths.h"
#include "safewrite/safewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// One line of the file: where its text starts and ends, and where its line end ends.
struct Line {
    size_t begin, end, next;
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t i = 0;
    while (i < text.size()) {
        size_t e = i;
        while (e < text.size() && text[e] != '\r' && text[e] != '\n')
            ++e;
        size_t n = e;
        if (n < text.size()) {
            if (text[n] == '\r' && n + 1 < text.size() && text[n + 1] == '\n')
                n += 2;
            else
                ++n;
        }
        lines.push_back({i, e, n});
        i = n;
    }
    return lines;
}

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    // As the Windows profile functions: without a closing bracket the line is no header.
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key, value;
};

std::optional<KeyValue> keyOf(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trim(line.substr(0, eq));
    if (key.empty() || key.front() == ';')
        return std::nullopt;
    return KeyValue{key, trim(line.substr(eq + 1))};
}

// The first header of that section.
bool findSection(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                 size_t& headerIndex) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (name && sameName(*name, section)) {
            headerIndex = i;
            return true;
        }
    }
    return false;
}

} // namespace

QString Profile::resolve(const std::string& fileName) {
    const QString name = QString::fromLocal8Bit(fileName.data(), qsizetype(fileName.size()));
    if (!paths::isBareName(name))
        return paths::localPath(fileName);
    const QDir d(paths::windowsDirectory());
    // Where several names differ only in case, one rule for every reader and writer: the first
    // in byte order ("KELMAR.INI" before "Kelmar.ini"), whichever spelling was asked for.
    QString chosen;
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 &&
            (chosen.isEmpty() || entry.compare(chosen, Qt::CaseSensitive) < 0))
            chosen = entry;
    }
    return d.filePath(chosen.isEmpty() ? name : chosen);
}

Profile Profile::load(const std::string& fileName) {
    Profile p;
    p.path_ = resolve(fileName);
    const std::string path = QFile::encodeName(p.path_).toStdString();
    safewrite::recover(path);
    const int error = safewrite::readStart(path, kMaxBytes, p.text_, p.cut_);
    p.exists_ = error == 0 || !p.text_.empty();
    // Something is there that could not be read whole: writing a key would replace it.
    struct stat lst {};
    p.unreadable_ = error != 0 ? ::lstat(path.c_str(), &lst) == 0 : p.cut_;
    return p;
}

Profile Profile::fromText(std::string text) {
    Profile p;
    p.text_ = std::move(text);
    p.exists_ = true;
    return p;
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::string_view text = text_;
    const auto lines = splitLines(text);
    size_t header = 0;
    if (findSection(text, lines, section, header)) {
        for (size_t i = header + 1; i < lines.size(); ++i) {
            const std::string_view line =
                text.substr(lines[i].begin, lines[i].end - lines[i].begin);
            if (sectionOf(line))
                break;
            const auto kv = keyOf(line);
            if (kv && sameName(kv->key, key))
                return std::string(kv->value.substr(0, kMaxValue));
        }
    }
    return std::string(defaultValue.substr(0, kMaxValue));
}

int32_t Profile::readInt(std::string_view section, std::string_view key,
                         int32_t defaultValue) const {
    const std::string s = readString(section, key, "");
    return parseInt32(s).value_or(defaultValue);
}

bool Profile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

std::string Profile::withValue(std::string text, std::string_view section, std::string_view key,
                               std::string_view value) {
    std::string newLine(key);
    newLine.append("=").append(value);
    const auto lines = splitLines(text);
    size_t header = 0;
    if (!findSection(text, lines, section, header)) {
        if (!text.empty() && text.back() != '\n' && text.back() != '\r')
            text += "\r\n";
        text.append("[").append(section).append("]\r\n").append(newLine).append("\r\n");
        return text;
    }
    size_t lastContent = header;
    for (size_t i = header + 1; i < lines.size(); ++i) {
        const std::string_view line =
            std::string_view(text).substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (sectionOf(line))
            break;
        const auto kv = keyOf(line);
        if (kv && sameName(kv->key, key))
            return text.replace(lines[i].begin, lines[i].end - lines[i].begin, newLine);
        if (!trim(line).empty())
            lastContent = i;
    }
    const Line& after = lines[lastContent];
    if (after.next == after.end) { // last line of the file without a line end
        text.insert(after.end, "\r\n" + newLine + "\r\n");
    } else {
        text.insert(after.next, newLine + "\r\n");
    }
    return text;
}

bool Profile::writeString(const std::string& fileName, std::string_view section,
                          std::string_view key, std::string_view value, QString* error) {
    return writeStrings(fileName, section, {{std::string(key), std::string(value)}}, error);
}

bool Profile::writeStrings(const std::string& fileName, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& values,
                           QString* error) {
    const Profile current = load(fileName);
    if (current.unreadable_) {
        if (error)
            *error = QStringLiteral("Die Datei kann nicht gelesen werden");
        return false;
    }
    std::string text = current.text_;
    for (const auto& [key, value] : values)
        text = withValue(std::move(text), section, key, value);
    const QFileInfo info(current.path_);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("Verzeichnis kann nicht angelegt werden");
        return false;
    }
    // Written in place where it must stay that file (other names, another owner, a folder that
    // takes no new file), and never over its write protection.
    const safewrite::Result result =
        safewrite::write(QFile::encodeName(current.path_).toStdString(), text);
    if (result.error != 0 && error)
        *error = QString::fromLocal8Bit(std::strerror(result.error));
    return result.error == 0;
}
