// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "platform/system.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

/// The text of the first entry of a message file whose id is `id`, or "" when there
/// is none. Every brace group of the file is a candidate for the id, compared byte
/// for byte; after the matching group two characters are passed over, whatever they
/// are, and the text is the content of the next brace group (as far as it goes when
/// the file ends inside it). A Ctrl-Z character ends the file. Reads the file anew on
/// every call. Throws Error with the run-time I/O message ("File not found",
/// "Invalid filename" for a missing folder, ...); no file stays open.
std::string lookupMessage(const std::string& path, std::string_view id);

/// How many bytes two versions of a file are known to share at their start and at
/// their end, as an edit that replaced some lines knows without comparing them.
struct SharedEnds {
    std::size_t start = 0;
    std::size_t end = 0;
};

/// What the lookup reads of the bytes of a message file: all of them up to the first
/// Ctrl-Z. The functions below take one where they would otherwise look for the
/// Ctrl-Z themselves, a pass over the whole file, at every call.
class MessageText {
public:
    explicit MessageText(std::string_view fileBytes);
    /// The text of `fileBytes`, the bytes of `old`'s file with only what lies between
    /// their shared ends changed: only the changed bytes are looked over.
    MessageText(std::string_view fileBytes, const MessageText& old, SharedEnds shared);
    /// The text of the file's bytes from `offset` on.
    MessageText tail(std::size_t offset) const;
    std::string_view bytes() const { return m_bytes; }
    /// Every byte of the file, past a Ctrl-Z too.
    std::string_view fileBytes() const { return {m_bytes.data(), m_fileSize}; }

private:
    MessageText(std::string_view fileBytes, std::size_t textSize)
        : m_bytes(fileBytes.substr(0, textSize)), m_fileSize(fileBytes.size()) {}

    std::string_view m_bytes;
    std::size_t m_fileSize;
};

namespace detail {
/// For each i where at[i] is npos: the first brace group that reads patterns[i] ("{"
/// id "}") and starts in [from, to), or npos; in one pass for all of them. Exposed for
/// its tests.
void firstGroupsBetween(std::string_view bytes, const std::vector<std::string>& patterns,
                        std::size_t from, std::size_t to, std::vector<std::size_t>& at);
} // namespace detail

/// lookupMessage on the bytes of a message file already read. Never throws.
std::string lookupMessageIn(const MessageText& text, std::string_view id);
inline std::string lookupMessageIn(std::string_view fileBytes, std::string_view id) {
    return lookupMessageIn(MessageText(fileBytes), id);
}

/// Where lookupMessageIn finds `id`: the offset of the "{" of the brace group that
/// matches, or npos when none does (before the first Ctrl-Z). Never throws.
std::size_t findMessageGroup(const MessageText& text, std::string_view id);
inline std::size_t findMessageGroup(std::string_view fileBytes, std::string_view id) {
    return findMessageGroup(MessageText(fileBytes), id);
}

/// Where the text group of the entry whose id group opens at `at` opens by the
/// lookup's rules (two characters after the id group passed over, then the next
/// "{"), or npos when there is none before the end of the file or its Ctrl-Z.
/// Never throws.
std::size_t messageTextStart(const MessageText& text, std::size_t at);
inline std::size_t messageTextStart(std::string_view fileBytes, std::size_t at) {
    return messageTextStart(MessageText(fileBytes), at);
}

/// Where the entry whose id group opens at `at` ends by the lookup's own rules: just
/// after the "}" that closes its text group, or npos when the text group is left
/// open (or never opens) before the end of the file or its Ctrl-Z. Never throws.
std::size_t messageEntryEnd(const MessageText& text, std::size_t at);
inline std::size_t messageEntryEnd(std::string_view fileBytes, std::size_t at) {
    return messageEntryEnd(MessageText(fileBytes), at);
}

/// An entry of a message file: an id group at the start of a line that the lookup
/// finds first for its id, whose text closes on that same line.
struct ChangedEntry {
    std::size_t offset; // of the entry's "{"
    bool inOld;         // the offset is in the old bytes, else in the new ones
};

/// The first entry found whose text the lookup reads differently in `newBytes` than
/// in `oldBytes` (an entry of either), leaving out the ids for which `ignored(id)`
/// holds; none when all read the same. Only the bytes between the common start and
/// the common end of the two can change a lookup, so only the ids met there are
/// compared: linear in the files' size. When the change leaves the following bytes
/// inside a brace group in one file and outside in the other, every later group would
/// read differently: the first brace after the change is then reported. `shared`
/// tells how much of the two files' bytes is known to be equal, which is then not
/// compared again. Never throws.
std::optional<ChangedEntry> changedEntry(const MessageText& oldText, const MessageText& newText,
                                         const std::function<bool(std::string_view)>& ignored,
                                         SharedEnds shared = {});
inline std::optional<ChangedEntry>
changedEntry(std::string_view oldBytes, std::string_view newBytes,
             const std::function<bool(std::string_view)>& ignored) {
    return changedEntry(MessageText(oldBytes), MessageText(newBytes), ignored);
}

// A message file read once, for answering many ids: lookup(id) gives what
// lookupMessage(path, id) gives for the file as it was read. The index of its brace
// groups grows as lookups need it: a few ids near the start of a large file cost
// little more than the reading. Not for use by two threads at once.
class MessageSnapshot {
public:
    /// Reads the file. Throws Error with the run-time I/O message, as lookupMessage.
    explicit MessageSnapshot(const std::string& path);
    /// Reads the first `firstPart` bytes of the file, and the rest as far as lookups
    /// need it, checking first each time that the file is still the one read (see
    /// platform::FileIdentity): ids near the start of a large file cost little more
    /// than their own part of it. A file found changed is read again, all of it, and
    /// answers from then on. Throws Error as lookupMessage.
    MessageSnapshot(const std::string& path, std::size_t firstPart);
    /// A snapshot of the bytes of a file.
    explicit MessageSnapshot(Bytes bytes);
    /// A snapshot of bytes already read.
    static MessageSnapshot fromBytes(std::string_view fileBytes);

    MessageSnapshot(MessageSnapshot&&) noexcept;
    MessageSnapshot& operator=(MessageSnapshot&&) noexcept;
    ~MessageSnapshot();
    MessageSnapshot(const MessageSnapshot&) = delete;
    MessageSnapshot& operator=(const MessageSnapshot&) = delete;

    /// The text for `id`, as lookupMessage would give it. Never throws for a snapshot
    /// read whole; one read in parts throws Error as lookupMessage when the rest of
    /// the file cannot be read.
    std::string lookup(std::string_view id) const;
    /// Every byte of the file as read, past a Ctrl-Z too; the rest of a file read in
    /// parts is read first. Throws Error as lookup.
    std::string_view fileBytes() const;
    /// How many of the file's bytes have been read so far.
    std::size_t bytesRead() const { return m_read.size(); }

private:
    // What the lookup reads: all the bytes read until the Ctrl-Z that ends them is found.
    std::string_view text() const;
    // Looks for that Ctrl-Z in the bytes before `reach` not looked at yet: true when it
    // lies there, and what was found beyond it must be found again in text().
    bool endsBefore(std::size_t reach) const;
    // Reads the next part of a file read in parts: Read when there is more to look at,
    // Reread when the file had changed and was read again whole (everything found
    // before must be found again), None when it is read to its end or to its Ctrl-Z.
    enum class More { None, Read, Reread };
    More readMore() const;
    // The next part, past a Ctrl-Z too.
    More readPart() const;
    // The file's size: what is read, or what there is to read.
    std::size_t fileSize() const;
    // textAfter, once no Ctrl-Z ends the text before the text group closes; none when
    // the file was read again meanwhile.
    std::optional<std::string> textAfterChecked(std::size_t pos) const;
    std::optional<std::string> lookupOnce(std::string_view id) const;

    // The bytes read: a file read whole, or the parts read so far in room for all of
    // it (left unfilled: a part is read straight into it).
    mutable Bytes m_whole;
    mutable std::unique_ptr<unsigned char[]> m_room;
    mutable std::string_view m_read;
    // While the file is read in parts: where it is and what it was when first read.
    mutable std::string m_path;
    mutable platform::FileIdentity m_identity;
    std::size_t m_part = 0; // the first part; each later one as large as all before
    // The Ctrl-Z is looked for only as far as lookups read: a few ids near the start
    // of a large file need not wait for a pass over all of it.
    mutable std::size_t m_size = SIZE_MAX; // up to the first Ctrl-Z once found
    mutable std::size_t m_checked = 0;     // no Ctrl-Z before this
    // Each brace-group content met so far that is a short number (as the ids asked
    // for are), with the position after the first closed group that holds it: the
    // first match decides, and its text depends only on that position. Groups before
    // m_indexed have been met.
    class Index;
    mutable std::unique_ptr<Index> m_firstGroupEnd;
    mutable std::size_t m_indexed = 0;
};

// Snapshots of message files kept between calls, one per file (the few most recently
// used), each only while the file is provably the same.
class MessageSnapshots {
public:
    /// A snapshot is kept only when the file was last written at least `settle`
    /// before it was read (two seconds when its times are in whole seconds): a write
    /// within the file system's timestamp granularity would otherwise leave its stat
    /// unchanged.
    explicit MessageSnapshots(std::chrono::nanoseconds settle);
    MessageSnapshots(const MessageSnapshots&) = delete;
    MessageSnapshots& operator=(const MessageSnapshots&) = delete;

    /// The snapshot of the file as it is now: the kept one when one stat shows the
    /// same file (device, inode, size, modification and change time in nanoseconds
    /// all unchanged), else a new reading. Throws Error as lookupMessage.
    std::shared_ptr<const MessageSnapshot> current(const std::string& path);

private:
    struct Kept {
        std::string path;
        platform::FileIdentity identity;
        std::shared_ptr<const MessageSnapshot> snapshot;
        bool settled; // else kept for the operation under way only
    };
    std::chrono::nanoseconds m_settle;
    std::mutex m_mutex;
    std::list<Kept> m_kept; // the most recently used first
};

/// While one lives, the process is doing one short operation (a command-line verb)
/// that reads each message file once: a file written a moment before it was read is
/// not read again for the operation's later lookups and its save while one stat shows
/// it the same. Outside one, such a file is read again at every use (see
/// MessageSnapshots), as a window's lookups come at any later time.
class OneReadingPerOperation {
public:
    OneReadingPerOperation();
    ~OneReadingPerOperation();
    OneReadingPerOperation(const OneReadingPerOperation&) = delete;
    OneReadingPerOperation& operator=(const OneReadingPerOperation&) = delete;
};

/// The snapshot of the message file as it is now, shared by every caller in the
/// process (MessageSnapshots with a settling time of 100 ms). Throws Error as
/// lookupMessage.
std::shared_ptr<const MessageSnapshot> currentMessages(const std::string& path);

} // namespace zantor
