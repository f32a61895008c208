// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zantor {

/// The text of the first entry of a message file whose id is `id`, or "" when there
/// is none. Every brace group of the file is a candidate for the id, compared byte
/// for byte; after the matching group two characters are passed over, whatever they
/// are, and the text is the content of the next brace group (as far as it goes when
/// the file ends inside it). A Ctrl-Z character ends the file. Reads the file anew on
/// every call. Throws Error with the run-time I/O message ("File not found",
/// "Invalid filename" for a missing folder, ...); no file stays open.
std::string lookupMessage(const std::string& path, std::string_view id);

/// lookupMessage on the bytes of a message file already read. Never throws.
std::string lookupMessageIn(std::string_view fileBytes, std::string_view id);

/// Where lookupMessageIn finds `id`: the offset of the "{" of the brace group that
/// matches, or npos when none does (before the first Ctrl-Z). Never throws.
std::size_t findMessageGroup(std::string_view fileBytes, std::string_view id);

/// Where the text group of the entry whose id group opens at `at` opens by the
/// lookup's rules (two characters after the id group passed over, then the next
/// "{"), or npos when there is none before the end of the file or its Ctrl-Z.
/// Never throws.
std::size_t messageTextStart(std::string_view fileBytes, std::size_t at);

/// Where the entry whose id group opens at `at` ends by the lookup's own rules: just
/// after the "}" that closes its text group, or npos when the text group is left
/// open (or never opens) before the end of the file or its Ctrl-Z. Never throws.
std::size_t messageEntryEnd(std::string_view fileBytes, std::size_t at);

// A message file read once, for answering many ids: lookup(id) gives what
// lookupMessage(path, id) gives for the file as it was read.
class MessageSnapshot {
public:
    /// Reads the file. Throws Error with the run-time I/O message, as lookupMessage.
    explicit MessageSnapshot(const std::string& path);
    /// A snapshot of bytes already read.
    static MessageSnapshot fromBytes(std::string_view fileBytes);

    MessageSnapshot(MessageSnapshot&&) = default;
    MessageSnapshot& operator=(MessageSnapshot&&) = default;
    MessageSnapshot(const MessageSnapshot&) = delete;
    MessageSnapshot& operator=(const MessageSnapshot&) = delete;

    /// The text for `id`, as lookupMessage would give it. Never throws.
    std::string lookup(std::string_view id) const;

private:
    explicit MessageSnapshot(Bytes bytes);
    std::string_view text() const;

    Bytes m_bytes;
    std::size_t m_size = 0; // up to the first Ctrl-Z
    // Each brace-group content, with the position after the first closed group that
    // holds it: the first match decides, and its text depends only on that position.
    // The keys view m_bytes, whose storage moves with it.
    std::unordered_map<std::string_view, std::size_t> m_firstGroupEnd;
};

} // namespace zantor
