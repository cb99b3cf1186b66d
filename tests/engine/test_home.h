#pragma once
// Test support: a fresh home directory per test (working directory, ini file, dictionaries)
// and a scripted message port that records every message and answers questions from a script.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/message_port.h"
#include "engine/dict/operation_context.h"

namespace wk {
class ConfigData;
class DictionaryNames;
}  // namespace wk

namespace wk::test {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style;
};

class FakeMessages : public MessagePort {
 public:
  int show(const std::string& text, const std::string& caption, unsigned style) override;
  void beep() override { ++beeps; }
  // Scripts the next box: it must show `text` (under `caption`, unless that is empty) and is
  // answered `answer` (an OK-only box with OK). A box shown past the script is answered from
  // `answers`. HomeTest fails a test that leaves a scripted box unshown.
  void expect(std::string text, int answer = mb::kIdOk, std::string caption = "");

  struct Scripted {
    std::string text, caption;
    int answer;
  };
  std::deque<Scripted> script;
  std::vector<ShownMessage> shown;
  std::deque<int> answers;  // answers to questions, in order; No (or OK to OK/Cancel) when empty
  int beeps = 0;
};

// A fixture whose tests run in a new empty directory holding a written ini file and the three
// directories, with fresh configuration and catalogue objects.
class HomeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a word list file (lines joined with "\n") and returns its path.
  std::string writeFile(const std::string& name, const std::string& content);
  // Compiles `words` (already in dictionary order) into lexicons/<name>.lex; returns the path.
  std::string makeDictionary(const std::string& name, const std::vector<std::string>& words);
  // Every word of the dictionary at `path`, as written, in stored order.
  std::vector<std::string> wordsOf(const std::string& path);
  std::string lexPath(const std::string& name);
  std::string tempPath(const std::string& name);
  std::vector<std::string> tempFiles();
  // The home's catalogue and paths, as a program's entry point makes and passes them.
  DictionaryNames& catalogue();
  const ConfigData& config();
  // Turns the home's long-words option on; the configuration and catalogue are read afresh.
  void useLongWords();

  FakeMessages messages;
  std::filesystem::path home;
  // The operation the test's own readers belong to.
  OperationContext context;

 private:
  std::filesystem::path previous_;
  MessagePort* previousPort_ = nullptr;
};

// While alive, writes beyond `bytes` in any file fail as on a full disk (POSIX only; elsewhere
// `active()` is false and tests that need it skip).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(long bytes);
  ~FileSizeLimit();
  bool active() const { return active_; }

 private:
  bool active_ = false;
  unsigned long long previous_ = 0;
};

std::vector<unsigned char> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace wk::test
