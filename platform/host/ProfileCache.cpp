#include "ProfileCache.h"

#include <errno.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "FileDescriptor.h"

namespace vx {

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The clock that the kernel stamps files with: a file changed after this
// reading gets a modification time at or after it.
timespec FileClockNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// A file's bytes and status, read through one descriptor.
bool ReadWhole(const std::string& path, std::string* bytes, struct stat* info) {
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return false;
    bool ok = fstat(fd.get(), info) == 0 && S_ISREG(info->st_mode);
    bytes->clear();
    if (ok && info->st_size > 0) bytes->reserve(static_cast<size_t>(info->st_size));
    char buffer[16384];
    while (ok) {
        ssize_t got = read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes->append(buffer, static_cast<size_t>(got));
    }
    return ok;
}

}  // namespace

bool ProfileCache::Stamp::operator==(const Stamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
           mode == other.mode && owner == other.owner && group == other.group;
}

namespace {

template <typename Stamp>
Stamp StampOf(const struct stat& info) {
    Stamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim;
    stamp.mode = info.st_mode;
    stamp.owner = info.st_uid;
    stamp.group = info.st_gid;
    return stamp;
}

}  // namespace

ProfileCache& ProfileCache::Process() {
    static ProfileCache cache;
    return cache;
}

ProfileCache::~ProfileCache() {
    std::lock_guard<std::mutex> hold(m_lock);
    WriteBackLocked();
}

void ProfileCache::AddUser() {
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_users;
}

void ProfileCache::RemoveUser() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (--m_users > 0) return;
    WriteBackLocked();
    m_files.clear();
    m_unwritten.clear();
}

bool ProfileCache::Settled(const File& file) const {
    // Times in whole milliseconds (or seconds) come from a file system with
    // a coarse clock: a later change may get the same time for a while.
    timespec limit = file.stamp.modified;
    if (limit.tv_nsec % 1000000 == 0) limit.tv_sec += 2;
    return Before(limit, file.readAt);
}

bool ProfileCache::Load(File* file) {
    const timespec readAt = FileClockNow();
    std::string bytes;
    struct stat info;
    if (!ReadWhole(file->path, &bytes, &info)) return false;
    file->readAt = readAt;
    file->stamp = StampOf<Stamp>(info);
    file->writable = -1;
    if (file->exists && bytes == file->base) return true;
    file->exists = true;
    file->base = std::move(bytes);
    if (file->Pending()) {
        // Another writer's change: the kept edits are made anew on it.
        const std::vector<ProfileEdit> edits = std::move(file->edits);
        file->edits.clear();
        file->document = std::make_unique<IniDocument>(file->base);
        file->indexStale = true;
        for (const ProfileEdit& edit : edits) ApplyEdit(file, edit);
        file->edits = edits;
    } else {
        file->index = IniIndex(file->base);
        file->indexStale = false;
    }
    return true;
}

void ProfileCache::Forget(const std::string& path, const std::string& cause) {
    auto it = m_files.find(path);
    if (it == m_files.end()) return;
    // Kept edits that cannot reach the file are writes that failed.
    if (it->second->Pending()) {
        for (const std::string& writer : it->second->writers) m_unwritten.emplace(writer, cause);
    }
    m_files.erase(it);
}

ProfileCache::File* ProfileCache::Open(const std::string& path, ProfileFileState* state) {
    struct stat info;
    const bool onDisk = stat(path.c_str(), &info) == 0;
    const int error = errno;
    auto it = m_files.find(path);
    File* file = it != m_files.end() ? it->second.get() : nullptr;
    if (!onDisk) {
        if (error != ENOENT && error != ENOTDIR) {
            Forget(path);
            *state = ProfileFileState::kFailed;
            return nullptr;
        }
        if (file == nullptr || !file->Pending()) {
            Forget(path);
            *state = ProfileFileState::kMissing;
            return nullptr;
        }
        if (file->exists) {
            // Removed under kept edits: they make a new file.
            file->exists = false;
            file->base.clear();
            file->stamp = Stamp();
            const std::vector<ProfileEdit> edits = std::move(file->edits);
            file->edits.clear();
            file->document = std::make_unique<IniDocument>(std::string());
            file->indexStale = true;
            for (const ProfileEdit& edit : edits) ApplyEdit(file, edit);
            file->edits = edits;
        }
        file->lastUse = ++m_clock;
        *state = ProfileFileState::kReadable;
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        Forget(path);
        *state = ProfileFileState::kFailed;
        return nullptr;
    }
    if (file == nullptr) {
        auto made = std::make_unique<File>();
        made->path = path;
        file = made.get();
        m_files.emplace(path, std::move(made));
    }
    if (!file->exists || !(file->stamp == StampOf<Stamp>(info)) || !Settled(*file)) {
        if (!Load(file)) {
            Forget(path);
            *state = ProfileFileState::kFailed;
            return nullptr;
        }
    }
    file->lastUse = ++m_clock;
    LimitCopies();
    *state = ProfileFileState::kReadable;
    return file;
}

void ProfileCache::LimitCopies() {
    while (m_files.size() > kMaxCachedFiles) {
        auto oldest = m_files.end();
        for (auto it = m_files.begin(); it != m_files.end(); ++it) {
            if (it->second->Pending()) continue;
            if (oldest == m_files.end() || it->second->lastUse < oldest->second->lastUse) {
                oldest = it;
            }
        }
        // The most recent copy stays: it is the one being used.
        if (oldest == m_files.end() || oldest->second->lastUse == m_clock) return;
        m_files.erase(oldest);
    }
}

const IniIndex& ProfileCache::Index(File* file) {
    if (file->indexStale) {
        file->index = IniIndex(file->document ? file->document->Text() : file->base);
        file->indexStale = false;
    }
    return file->index;
}

bool ProfileCache::Writable(File* file) {
    if (!file->exists) return true;
    if (file->writable < 0) {
        // The read-only attribute of Windows: no write permission bit at
        // all, which holds even for a process that may write anything.
        file->writable =
            (file->stamp.mode & 0222) != 0 && access(file->path.c_str(), W_OK) == 0 ? 1 : 0;
    }
    return file->writable == 1;
}

bool ProfileCache::ApplyEdit(File* file, const ProfileEdit& edit) {
    if (file->document == nullptr) file->document = std::make_unique<IniDocument>(file->base);
    IniDocument& document = *file->document;
    bool changed = false;
    switch (edit.kind) {
        case ProfileEdit::Kind::kSet:
            changed = document.SetValue(edit.section, edit.key, edit.value);
            if (changed && !file->indexStale &&
                !file->index.Update(document, edit.section, edit.key)) {
                file->indexStale = true;
            }
            break;
        case ProfileEdit::Kind::kDeleteKey:
            changed = document.DeleteKey(edit.section, edit.key);
            break;
        case ProfileEdit::Kind::kDeleteSection:
            changed = document.DeleteSection(edit.section);
            break;
    }
    if (changed && edit.kind != ProfileEdit::Kind::kSet) file->indexStale = true;
    return changed;
}

std::string ProfileCache::PendingSpelling(const std::string& path) const {
    const std::string folder = FolderOf(path);
    const std::string name = NameOf(path);
    for (const auto& [other, file] : m_files) {
        if (file->exists || !file->Pending() || FolderOf(other) != folder) continue;
        if (strcasecmp(NameOf(other).c_str(), name.c_str()) == 0) return other;
    }
    return path;
}

ProfileFileState ProfileCache::Read(const std::string& path, const std::string& section,
                                    const std::string& key, std::string* value, bool* found,
                                    std::string (*matchLetterCase)(const std::string&)) {
    std::lock_guard<std::mutex> hold(m_lock);
    *found = false;
    ProfileFileState state;
    File* file = Open(path, &state);
    if (file == nullptr && state == ProfileFileState::kMissing && matchLetterCase != nullptr) {
        std::string matched = matchLetterCase(path);
        if (matched == path) matched = PendingSpelling(path);
        if (matched != path) file = Open(matched, &state);
    }
    if (file == nullptr) return state;
    *found = Index(file).Find(section, key, value);
    return state;
}

int ProfileCache::Write(const std::string& asGiven, const std::string& writer,
                        const ProfileEdit& edit,
                        std::string (*matchLetterCase)(const std::string&)) {
    std::lock_guard<std::mutex> hold(m_lock);
    std::string path = asGiven;
    MakeRoomFor(path);
    ProfileFileState state;
    File* file = Open(path, &state);
    if (file == nullptr && state == ProfileFileState::kMissing && matchLetterCase != nullptr) {
        std::string matched = matchLetterCase(path);
        if (matched == path) matched = PendingSpelling(path);
        if (matched != path) {
            path = matched;
            MakeRoomFor(path);
            file = Open(path, &state);
        }
    }
    if (file == nullptr) {
        if (state != ProfileFileState::kMissing) return 0;
        struct stat folder;
        if (stat(FolderOf(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) return 0;
        // Deleting in no file creates none.
        if (edit.kind != ProfileEdit::Kind::kSet) return 1;
        auto made = std::make_unique<File>();
        made->path = path;
        file = made.get();
        m_files.emplace(path, std::move(made));
        file->lastUse = ++m_clock;
    } else if (!Writable(file)) {
        return 0;
    }
    const bool wasPending = file->Pending();
    // A value that is there already: nothing to keep, nothing to write.
    if (!wasPending && edit.kind == ProfileEdit::Kind::kSet &&
        Index(file).Holds(edit.section, edit.key, edit.value)) {
        return 1;
    }
    if (!ApplyEdit(file, edit) && !wasPending) {
        file->document.reset();
        return 1;
    }
    file->edits.push_back(edit);
    file->writers.insert(writer);
    file->lastWrite = file->lastUse;
    return 1;
}

void ProfileCache::MakeRoomFor(const std::string& path) {
    auto it = m_files.find(path);
    if (it != m_files.end() && it->second->Pending()) return;
    size_t pending = 0;
    File* oldest = nullptr;
    for (const auto& entry : m_files) {
        File* other = entry.second.get();
        if (!other->Pending()) continue;
        ++pending;
        if (oldest == nullptr || other->lastWrite < oldest->lastWrite) oldest = other;
    }
    if (pending < kMaxPendingFiles || oldest == nullptr) return;
    std::set<std::string> folders;
    WriteBackFile(oldest, &folders);
    for (const std::string& folder : folders) FlushFolder(folder);
}

bool ProfileCache::WriteBackFile(File* file, std::set<std::string>* folders) {
    if (!file->Pending()) return true;
    const std::string path = file->path;
    ProfileFileState state;
    // Up to date with the disk first: another writer's change stays.
    file = Open(path, &state);
    if (file == nullptr) {
        Forget(path, "it is no longer a readable file");
        return false;
    }
    std::string text = file->document->Text();
    const bool unchanged = file->exists ? text == file->base : text.empty();
    if (!unchanged) {
        if (!Writable(file)) {
            Forget(path, "read-only file");
            return false;
        }
        const timespec writtenAt = FileClockNow();
        struct stat info;
        std::string folder;
        std::string reason;
        if (!ReplaceFileAtomically(path, text, nullptr, AtomicWrite{&folder, &info, &reason})) {
            Forget(path, reason);
            return false;
        }
        folders->insert(folder);
        file->exists = true;
        file->base = std::move(text);
        file->stamp = StampOf<Stamp>(info);
        file->readAt = writtenAt;
        file->writable = -1;
    }
    file->document.reset();
    file->edits.clear();
    file->writers.clear();
    return true;
}

void ProfileCache::WriteBackLocked() {
    std::vector<File*> pending;
    for (const auto& entry : m_files) {
        if (entry.second->Pending()) pending.push_back(entry.second.get());
    }
    std::set<std::string> folders;
    for (File* file : pending) WriteBackFile(file, &folders);
    for (const std::string& folder : folders) FlushFolder(folder);
}

void ProfileCache::WriteBack() {
    std::lock_guard<std::mutex> hold(m_lock);
    WriteBackLocked();
}

std::map<std::string, std::string> ProfileCache::TakeUnwritten() {
    std::lock_guard<std::mutex> hold(m_lock);
    std::map<std::string, std::string> names;
    names.swap(m_unwritten);
    return names;
}

void WriteBackProfileFiles() {
    ProfileCache::Process().WriteBack();
}

std::map<std::string, std::string> TakeUnwrittenProfileFileCauses() {
    return ProfileCache::Process().TakeUnwritten();
}

std::set<std::string> TakeUnwrittenProfileFiles() {
    std::set<std::string> names;
    for (const auto& unwritten : TakeUnwrittenProfileFileCauses()) names.insert(unwritten.first);
    return names;
}

}  // namespace vx
