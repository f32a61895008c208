// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/registry_settings_store.h"

#include "common/error.h"
#include "platform/windows/wide_text.h"

#include <cstring>
#include <cwchar>
#include <iterator>
#include <optional>
#include <vector>
#include <windows.h>

namespace zantor {

namespace {

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

// The registry path below the user's root for a key path, or nothing when the path is
// not absolute. Empty key names (doubled separators) are passed over.
std::optional<std::string> subkeyOf(std::string_view base, std::string_view path) {
    if (path.empty() || path.front() != '\\')
        return std::nullopt;
    std::string out(base);
    for (std::size_t start = 1; start <= path.size();) {
        auto end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            if (!out.empty())
                out += '\\';
            out.append(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

// The text up to its first zero character, as a zero-terminated value keeps it.
std::string_view toZero(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

// What RegQueryValueExW tells about a value: its type and its data.
struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<Value> queryValue(HKEY key, const std::wstring& name) {
    if (!key)
        return std::nullopt;
    Value v;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExW(key, name.c_str(), nullptr, &v.type, nullptr, &size);
    // A value that grows between the two calls is asked for again.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        v.data.resize(size);
        rc = ::RegQueryValueExW(key, name.c_str(), nullptr, &v.type, v.data.data(), &size);
        if (rc == ERROR_SUCCESS) {
            v.data.resize(size);
            return v;
        }
    }
    return std::nullopt;
}

bool isString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The text of a string value up to its first zero character; the data need not end
// with one.
std::string stringOf(const Value& v) {
    std::wstring text(v.data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), v.data.data(), text.size() * sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return utf8FromWide(text);
}

// Deletes a key below `parent` with all its subkeys, deepest first.
bool deleteTree(HKEY parent, const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | DELETE, &key) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (;;) {
        wchar_t child[256]; // key names are at most 255 characters
        DWORD length = static_cast<DWORD>(std::size(child));
        const LONG rc = ::RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS || !deleteTree(key, std::wstring(child, length))) {
            ok = rc == ERROR_NO_MORE_ITEMS;
            break;
        }
    }
    ::RegCloseKey(key);
    return ok && ::RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

HKEY openExisting(const std::string& subkey, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, wideFromUtf8(subkey).c_str(), 0, access, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string_view base) : m_base(base) {}

RegistrySettingsStore::~RegistrySettingsStore() {
    CloseKey();
}

bool RegistrySettingsStore::OpenKey(std::string_view path, bool canCreate) {
    const auto subkey = subkeyOf(m_base, path);
    if (!subkey)
        return false;
    HKEY key = nullptr;
    if (canCreate) {
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, wideFromUtf8(*subkey).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return false;
    } else {
        // A key the user may only read still serves the reading of the settings.
        key = openExisting(*subkey, KEY_READ | KEY_WRITE);
        if (!key)
            key = openExisting(*subkey, KEY_READ);
        if (!key)
            return false;
    }
    CloseKey();
    m_current = key;
    m_currentPath = *subkey;
    return true;
}

void RegistrySettingsStore::CloseKey() {
    if (m_current)
        ::RegCloseKey(m_current);
    m_current = nullptr;
    m_currentPath.clear();
}

bool RegistrySettingsStore::ValueExists(std::string_view name) {
    return m_current && ::RegQueryValueExW(m_current, wideFromUtf8(toZero(name)).c_str(), nullptr,
                                           nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::ReadBool(std::string_view name) {
    const auto v = queryValue(m_current, wideFromUtf8(toZero(name)));
    if (!v)
        throw Error(failedToGetDataMessage(name));
    if (v->type == REG_DWORD && v->data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, v->data.data(), sizeof number);
        return number != 0;
    }
    // Data that does not fit a boolean's four bytes fails before its type is looked
    // at; a text counts with its terminating zero, in the core's own encoding.
    const std::size_t size = isString(v->type) ? stringOf(*v).size() + 1 : v->data.size();
    if (size > sizeof(DWORD))
        throw Error(failedToGetDataMessage(name));
    throw Error(invalidDataTypeMessage(name));
}

std::string RegistrySettingsStore::ReadString(std::string_view name) {
    const auto v = queryValue(m_current, wideFromUtf8(toZero(name)));
    if (!v)
        throw Error(failedToGetDataMessage(name));
    if (!isString(v->type))
        throw Error(invalidDataTypeMessage(name));
    return stringOf(*v);
}

void RegistrySettingsStore::WriteBool(std::string_view name, bool value) {
    const DWORD number = value ? 1 : 0;
    if (!m_current ||
        ::RegSetValueExW(m_current, wideFromUtf8(toZero(name)).c_str(), 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&number), sizeof number) != ERROR_SUCCESS)
        throw Error(failedToSetDataMessage(name));
}

void RegistrySettingsStore::WriteString(std::string_view name, std::string_view value) {
    const std::wstring text = wideFromUtf8(toZero(value));
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (!m_current ||
        ::RegSetValueExW(m_current, wideFromUtf8(toZero(name)).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()), size) != ERROR_SUCCESS)
        throw Error(failedToSetDataMessage(name));
}

bool RegistrySettingsStore::KeyExists(std::string_view path) {
    const auto subkey = subkeyOf(m_base, path);
    if (!subkey)
        return false;
    HKEY key = openExisting(*subkey, KEY_READ);
    if (key)
        ::RegCloseKey(key);
    return key != nullptr;
}

bool RegistrySettingsStore::DeleteKey(std::string_view path) {
    const auto subkey = subkeyOf(m_base, path);
    // The user's root itself is never deleted.
    if (!subkey || *subkey == m_base)
        return false;
    const auto cut = subkey->rfind('\\');
    const std::string parentPath =
        cut == std::string::npos ? std::string() : subkey->substr(0, cut);
    const std::string name = cut == std::string::npos ? *subkey : subkey->substr(cut + 1);
    HKEY parent = openExisting(parentPath, KEY_READ | KEY_WRITE);
    if (!parent)
        return false;
    const bool ok = deleteTree(parent, wideFromUtf8(name));
    ::RegCloseKey(parent);
    return ok;
}

bool RegistrySettingsStore::HasSubKeys() {
    DWORD subkeys = 0;
    return m_current &&
           ::RegQueryInfoKeyW(m_current, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys > 0;
}

std::string RegistrySettingsStore::describeRoot() const {
    return m_base.empty() ? std::string(kRootName) : std::string(kRootName) + '\\' + m_base;
}

std::string RegistrySettingsStore::describeCurrentKey() const {
    if (!m_current)
        return {};
    return m_currentPath.empty() ? std::string(kRootName)
                                 : std::string(kRootName) + '\\' + m_currentPath;
}

} // namespace zantor
