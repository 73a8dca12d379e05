#include "settings/PosixSettingsFileSystem.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace tessora {

namespace {
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Unique among processes (pid) and among saves of one process (counter).
int CreateTemporaryBeside(const std::string& target, std::string& tempName) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename is done either way
  ::close(fd);
}
}  // namespace

std::optional<std::string> PosixSettingsFileSystem::ReadWholeFile(const std::filesystem::path& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

bool PosixSettingsFileSystem::WriteReplace(const std::filesystem::path& path, std::string_view content) {
  const std::string target = path.string();
  std::string tempName;
  FileDescriptor temp(CreateTemporaryBeside(target, tempName));
  if (temp.Get() < 0) return false;

  // The new file keeps the access rights of the one it replaces.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(temp.Get(), old.st_mode & 07777);

  const bool written = WriteAll(temp.Get(), content) && ::fsync(temp.Get()) == 0;
  if (!temp.Close() || !written || ::rename(tempName.c_str(), target.c_str()) != 0) {
    ::unlink(tempName.c_str());
    return false;
  }
  SyncFolder(path);
  return true;
}

bool PosixSettingsFileSystem::Exists(const std::filesystem::path& path) {
  struct stat info {};
  // Only "not there" counts as missing; a file behind a closed folder exists.
  return stat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

SettingsFileSystem& DefaultSettingsFileSystem() {
  static PosixSettingsFileSystem fileSystem;
  return fileSystem;
}

}  // namespace tessora
#endif
