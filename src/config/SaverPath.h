#pragma once
// Saver file paths as the dialog compares them: ANSI bytes (Shift-JIS on Japanese
// systems), where the second byte of a double-byte character may be a "\" and must
// never be taken for a separator, nor its letter-like second bytes for letters.
#include <string>
#include <string_view>

namespace tessora {

// What follows the last "\", "/" or ":"; the whole path when there is none.
std::string_view BareFileName(std::string_view path);

// The path spelled one way: "/" as "\", runs of separators as one, "." segments
// dropped, ".." taking away the segment before it (never the drive or the
// \\server\share root), no trailing separator. Letter case is kept.
std::string CanonicalPathText(std::string_view path);

// Whether two spellings name the same file as far as their text tells: canonical
// paths equal with ASCII letter case ignored. Short names, links and drive
// mappings need the file system.
bool SamePathText(std::string_view a, std::string_view b);

// Whether the file name ends in ".scr", letter case ignored.
bool HasSaverExtension(std::string_view path);

}  // namespace tessora
