// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/file_settings_store.h"

#include "common/ascii.h"
#include "common/error.h"
#include "common/files.h"
#include "common/numbers.h"
#include "platform/system.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace zantor {

namespace {

struct StoredValue {
    std::string name;
    bool isBool = false;
    bool boolean = false;
    std::string text;
};

using Values = std::vector<StoredValue>;

constexpr std::string_view kHeader =
    "# Zantor settings: the values of one key, one a line.\n"
    "#   bool NAME = true|false\n"
    "#   string NAME = TEXT\n"
    "# Letter case of names does not count. Escapes in NAME and TEXT: \\\\ \\n \\r \\t \\xHH.\n";

constexpr std::string_view kBlanks = " \t\r";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The text up to its first zero character, as a zero-terminated store keeps it.
std::string_view toZero(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

void appendHex(std::string& out, unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
}

// The escapes of one letter: the byte and the letter that follows the backslash.
constexpr std::pair<char, char> kShortEscapes[] = {
    {'\\', '\\'},
    {'\n', 'n'},
    {'\r', 'r'},
    {'\t', 't'},
};

std::string escape(std::string_view s, bool isName) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        const auto shortEscape = std::find_if(std::begin(kShortEscapes), std::end(kShortEscapes),
                                              [&](auto e) { return e.first == s[i]; });
        const bool edgeBlank = c == ' ' && (i == 0 || i + 1 == s.size());
        if (shortEscape != std::end(kShortEscapes)) {
            out += '\\';
            out += shortEscape->second;
        } else if (c < 0x20 || c == 0x7F || edgeBlank || (isName && c == '=')) {
            out += "\\x";
            appendHex(out, c);
        } else {
            out += s[i];
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = asciiLower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A line that is not in the format: the caller adds the file and line number.
struct Damage {
    std::string what;
};

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            throw Damage{"a \"\\\" at the end of the line"};
        const auto shortEscape = std::find_if(std::begin(kShortEscapes), std::end(kShortEscapes),
                                              [&](auto e) { return e.second == s[i]; });
        if (shortEscape != std::end(kShortEscapes)) {
            out += shortEscape->first;
        } else if (s[i] == 'x') {
            const int high = i + 1 < s.size() ? hexDigit(s[i + 1]) : -1;
            const int low = i + 2 < s.size() ? hexDigit(s[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw Damage{"\"\\x\" needs two hexadecimal digits"};
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            throw Damage{"unknown escape \"\\" + std::string(1, s[i]) + "\""};
        }
    }
    return out;
}

bool parseBool(std::string_view text) {
    if (equalIgnoringAsciiCase(text, "true"))
        return true;
    if (equalIgnoringAsciiCase(text, "false"))
        return false;
    try {
        return toInt(text) != 0;
    } catch (const Error&) {
        throw Damage{"'" + std::string(text) + "' is not true or false"};
    }
}

Values::iterator findValue(Values& values, std::string_view name) {
    for (auto it = values.begin(); it != values.end(); ++it)
        if (equalIgnoringAsciiCase(it->name, name))
            return it;
    return values.end();
}

StoredValue parseLine(std::string_view line) {
    const auto blank = line.find_first_of(kBlanks);
    const auto eq = line.find('=');
    if (blank == std::string_view::npos || eq == std::string_view::npos || eq < blank)
        throw Damage{"expected \"bool NAME = true\" or \"string NAME = TEXT\""};
    const std::string_view type = line.substr(0, blank);
    StoredValue v;
    v.name = unescape(trim(line.substr(blank, eq - blank)));
    const std::string_view data = trim(line.substr(eq + 1));
    if (type == "bool") {
        v.isBool = true;
        v.boolean = parseBool(data);
    } else if (type == "string") {
        v.text = unescape(data);
    } else {
        throw Damage{"unknown type '" + std::string(type) + "' (expected bool or string)"};
    }
    return v;
}

Values parseValues(std::string_view text, const fs::path& file) {
    Values values;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        try {
            StoredValue v = parseLine(line);
            if (findValue(values, v.name) != values.end())
                throw Damage{"the value '" + v.name +
                             "' is given twice (letter case does not count)"};
            values.push_back(std::move(v));
        } catch (const Damage& d) {
            throw Error("The settings file \"" + utf8Of(file) + "\" is damaged at line " +
                        std::to_string(lineNumber) + ": " + d.what);
        }
    }
    return values;
}

std::string formatValues(const Values& values) {
    std::string out(kHeader);
    for (const auto& v : values) {
        out += v.isBool ? "bool " : "string ";
        out += escape(v.name, true);
        out += " =";
        const std::string data = v.isBool ? (v.boolean ? "true" : "false") : escape(v.text, false);
        if (!data.empty())
            out += ' ' + data;
        out += '\n';
    }
    return out;
}

Values loadValues(const fs::path& file) {
    std::error_code ec;
    if (fs::status(resolvePath(file), ec).type() == fs::file_type::not_found)
        return {};
    Bytes data;
    try {
        data = readFile(file);
    } catch (const Error& e) {
        throw Error("Cannot read the settings file \"" + utf8Of(file) + "\": " + e.what());
    }
    return parseValues(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                       file);
}

// The value of that name in a key's values file; `file` is empty when no key is current.
StoredValue storedValue(const fs::path& file, std::string_view name) {
    if (file.empty())
        throw Error(failedToGetDataMessage(name));
    Values values = loadValues(file);
    const auto it = findValue(values, toZero(name));
    if (it == values.end())
        throw Error(failedToGetDataMessage(name));
    return *it;
}

// A key name as a folder name: escapes what a file name cannot hold, what would make it
// special ("." and ".." or a hidden folder) and a leading "_", which the values file uses.
std::string folderName(std::string_view keyName) {
    std::string out;
    for (std::size_t i = 0; i < keyName.size(); ++i) {
        const auto c = static_cast<unsigned char>(keyName[i]);
        if (c < 0x20 || c == 0x7F || c == '/' || c == '%' || (i == 0 && (c == '.' || c == '_'))) {
            out += '%';
            appendHex(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The key names of an absolute key path, or nothing for a path that is not absolute.
// Empty names (from "\\" or a trailing "\") are passed over.
std::optional<std::vector<std::string>> keyNames(std::string_view path) {
    if (path.empty() || path.front() != '\\')
        return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t start = 1; start <= path.size();) {
        auto end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            names.push_back(folderName(path.substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

// The subfolder of `dir` named `name`, the exact spelling first, then any other case.
std::optional<fs::path> findSubfolder(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    const fs::path asWritten = dir / pathFromUtf8(name);
    if (fs::is_directory(asWritten, ec))
        return asWritten;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError) &&
            equalIgnoringAsciiCase(utf8Of(it->path().filename()), name))
            return it->path();
    }
    return std::nullopt;
}

} // namespace

FileSettingsStore::FileSettingsStore(fs::path root) : m_root(std::move(root)) {}

fs::path FileSettingsStore::defaultRoot() {
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
        config = xdg;
    else
        config = platform::homeFolder() / ".config";
    return config / "zantor-store";
}

fs::path FileSettingsStore::currentValuesFile() const {
    return m_current ? *m_current / kValuesFileName : fs::path();
}

std::optional<fs::path> FileSettingsStore::findKey(std::string_view path, bool create) const {
    const auto names = keyNames(path);
    if (!names)
        return std::nullopt;
    std::error_code ec;
    if (create)
        fs::create_directories(m_root, ec);
    if (!fs::is_directory(m_root, ec))
        return std::nullopt;
    fs::path dir = m_root;
    for (const std::string& name : *names) {
        if (auto found = findSubfolder(dir, name)) {
            dir = *found;
            continue;
        }
        const fs::path sub = dir / pathFromUtf8(name);
        if (!create || (!fs::create_directory(sub, ec) && !fs::is_directory(sub, ec)))
            return std::nullopt;
        dir = sub;
    }
    return dir;
}

bool FileSettingsStore::OpenKey(std::string_view path, bool canCreate) {
    auto key = findKey(path, canCreate);
    if (!key)
        return false;
    m_current = std::move(key);
    return true;
}

void FileSettingsStore::CloseKey() {
    m_current.reset();
}

bool FileSettingsStore::ValueExists(std::string_view name) {
    if (!m_current)
        return false;
    Values values = loadValues(currentValuesFile());
    return findValue(values, toZero(name)) != values.end();
}

bool FileSettingsStore::ReadBool(std::string_view name) {
    const StoredValue v = storedValue(currentValuesFile(), name);
    if (v.isBool)
        return v.boolean;
    // The platform store holds a text with its terminating zero; one that does not fit
    // the four bytes of a boolean fails before its type is looked at.
    if (toZero(v.text).size() + 1 > 4)
        throw Error(failedToGetDataMessage(name));
    throw Error(invalidDataTypeMessage(name));
}

std::string FileSettingsStore::ReadString(std::string_view name) {
    const StoredValue v = storedValue(currentValuesFile(), name);
    if (v.isBool)
        throw Error(invalidDataTypeMessage(name));
    return std::string(toZero(v.text));
}

void FileSettingsStore::write(std::string_view name, bool isBool, bool boolean,
                              std::string_view text) {
    if (!m_current)
        throw Error(failedToSetDataMessage(name));
    const fs::path file = currentValuesFile();
    Values values = loadValues(file);
    const std::string_view stored = toZero(name);
    if (auto it = findValue(values, stored); it != values.end()) {
        // A value written as it stands leaves the file alone: the window writes its
        // item folder back at every start, and a synced rewrite would slow each one.
        if (it->isBool == isBool && (isBool ? it->boolean == boolean : it->text == toZero(text)))
            return;
        // The first spelling of the name stays; only type and data change.
        it->isBool = isBool;
        it->boolean = boolean;
        it->text = toZero(text);
    } else {
        values.push_back(
            StoredValue{std::string(stored), isBool, boolean, std::string(toZero(text))});
    }
    const std::string data = formatValues(values);
    try {
        writeFileAtomic(file, data.data(), data.size());
    } catch (const Error&) {
        throw Error(failedToSetDataMessage(name));
    }
}

void FileSettingsStore::WriteBool(std::string_view name, bool value) {
    write(name, true, value, {});
}

void FileSettingsStore::WriteString(std::string_view name, std::string_view value) {
    write(name, false, false, value);
}

bool FileSettingsStore::KeyExists(std::string_view path) {
    const auto key = findKey(path, false);
    return key && platform::canEnterFolder(*key);
}

bool FileSettingsStore::DeleteKey(std::string_view path) {
    const auto names = keyNames(path);
    // The user's root itself is never deleted.
    if (!names || names->empty())
        return false;
    const auto key = findKey(path, false);
    if (!key)
        return false;
    std::error_code ec;
    fs::remove_all(*key, ec);
    return !ec;
}

bool FileSettingsStore::HasSubKeys() {
    if (!m_current)
        return false;
    std::error_code ec;
    for (fs::directory_iterator it(*m_current, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            return true;
    }
    return false;
}

} // namespace zantor
