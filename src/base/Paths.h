#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Paths stored in the system's files come from Windows as well as from Linux. A
// stored path is absolute when it contains ":\" or starts with "/"; relative stored
// paths may use "\" and are resolved with "/" here. This is the only place that
// knows these rules.

bool IsAbsoluteStoredPath(std::string_view path);

// A stored relative path with "/" separators, ready to be joined to a local folder.
std::string LocalRelativePath(std::string_view stored);

// A relative path in the stored form ("\" separators), so that page files stay
// readable by Windows peers.
std::string StoredRelativePath(std::string_view local);

// Both separators count, since stored paths may come from either system.
std::string FileNameOf(std::string_view path);
// The folder part with its trailing separator, or empty.
std::string FolderOf(std::string_view path);
// The extension with its dot (".jpg"), or empty.
std::string ExtensionOf(std::string_view path);

// Joins a folder (with or without trailing "/") and a relative local path.
std::string JoinPath(std::string_view folder, std::string_view relative);
// The folder with exactly one trailing "/".
std::string WithTrailingSlash(std::string_view folder);

// Resolves a stored picture or page path: absolute paths stay; a relative one is
// taken against `preferredFolder` when the file exists there, else against `fallbackFolder`.
// `exists` answers whether a file is there (FileExists when null).
class FileExistenceCache;
std::string ResolveStoredPath(std::string_view stored, std::string_view preferredFolder,
                              std::string_view fallbackFolder,
                              FileExistenceCache* exists = nullptr);

bool FileExists(const std::string& path);    // a regular file (after links)
bool FolderExists(const std::string& path);  // a folder (after links)

// True when `name` can be used as one folder name inside an output folder: it has no
// separator, is not "." or "..", has no control character and none of the characters
// Windows refuses, so it can never lead out of that folder.
bool IsSafeFolderName(std::string_view name);

}  // namespace pagora
