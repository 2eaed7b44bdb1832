#include "tests/support/TestFiles.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "base/CUString.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {
std::string Environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}
}  // namespace

std::string GameTreeDir() { return Environment("GLYPHOX_GAME_DIR", "build/game"); }


std::vector<std::string> ShippedLanguages() {
  std::vector<std::string> codes;
  std::istringstream list(Environment("GLYPHOX_LANGUAGES", ""));
  for (std::string code; std::getline(list, code, ',');) codes.push_back(code);
  if (!codes.empty()) return codes;
  // Run by hand: the language files of the game tree.
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(GameTreeDir() + "/data", error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 9 && name.compare(0, 5, "text_") == 0 && name.compare(name.size() - 4, 4, ".txt") == 0)
      codes.push_back(name.substr(5, name.size() - 9));
  }
  std::sort(codes.begin(), codes.end(), [](const std::string& a, const std::string& b) {
    return a == "en" ? b != "en" : b == "en" ? false : a < b;
  });
  return codes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return static_cast<bool>(out);
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

std::string Utf16FileContent(const std::string& utf8, bool withByteOrderMark) {
  std::string bytes = withByteOrderMark ? std::string("\xFF\xFE") : std::string();
  CUString units = CUString::FromUtf8(utf8);
  for (size_t i = 0; i < units.Length(); ++i) {
    bytes.push_back(static_cast<char>(units[i] & 0xFF));
    bytes.push_back(static_cast<char>(units[i] >> 8));
  }
  return bytes;
}

TempDir::TempDir() {
  std::string pattern = Environment("TMPDIR", "/tmp") + "/glyphox-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back(0);
  if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  m_path = buffer.data();
}

TempDir::~TempDir() {
  if (std::getenv("GLYPHOX_KEEP_TEST_DIRS")) return;
  std::error_code ignored;
  fs::remove_all(m_path, ignored);
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& path) {
  m_previous = fs::current_path().string();
  fs::current_path(path);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
}

CapturedStream::CapturedStream(int fd) : m_fd(fd) {
  char name[] = "/tmp/glyphox-capture-XXXXXX";
  int file = mkstemp(name);
  if (file < 0) throw std::runtime_error("mkstemp failed");
  m_file = name;
  std::fflush(fd == 1 ? stdout : stderr);
  m_saved = dup(fd);
  dup2(file, fd);
  close(file);
}

std::string CapturedStream::Text() {
  if (!m_done) {
    std::fflush(m_fd == 1 ? stdout : stderr);
    dup2(m_saved, m_fd);
    close(m_saved);
    m_text = ReadFile(m_file);
    unlink(m_file.c_str());
    m_done = true;
  }
  return m_text;
}

CapturedStream::~CapturedStream() { Text(); }

int AsNobody(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

int RunProgram(const std::vector<std::string>& args, std::string* output, int timeoutMs) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  std::string text;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char chunk[4096];
  for (;;) {
    int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
    if (left <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    pollfd entry = {pipeFds[0], POLLIN, 0};
    if (poll(&entry, 1, left) <= 0) continue;
    ssize_t got = read(pipeFds[0], chunk, sizeof chunk);
    if (got <= 0) break;
    text.append(chunk, static_cast<size_t>(got));
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (output) *output = text;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace testsupport
