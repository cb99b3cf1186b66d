#include "test_home.h"

#include <atomic>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

#include "app/process_home.h"
#include "engine/base/paths.h"
#include "engine/config/config_data.h"
#include "engine/dict/compress_dictionary.h"
#include "engine/dict/dictionary.h"
#include "engine/dict/dictionary_names.h"

namespace fs = std::filesystem;

namespace wk::test {

void FakeMessages::expect(std::string text, int answer, std::string caption) {
  script.push_back({std::move(text), std::move(caption), answer});
}

int FakeMessages::show(const std::string& text, const std::string& caption, unsigned style) {
  shown.push_back({text, caption, style});
  if (!script.empty()) {
    const Scripted next = script.front();
    script.pop_front();
    EXPECT_EQ(text, next.text) << "box " << shown.size() << " is not the one scripted";
    if (!next.caption.empty()) {
      EXPECT_EQ(caption, next.caption) << "caption of: " << text;
    }
    return (style & 0xF) == mb::kOk ? mb::kIdOk : next.answer;
  }
  if ((style & 0xF) == mb::kOk) return mb::kIdOk;
  if (answers.empty()) return (style & 0xF) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void HomeTest::SetUp() {
  static std::atomic<int> counter{0};
  previous_ = fs::current_path();
  // The process in the name: the engine and app tests run at once, with the same seed and the
  // same unseeded rand(), and would otherwise remove each other's homes.
  home = fs::temp_directory_path() /
         ("wk_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter) + "_" +
          std::to_string(std::rand()));
  fs::remove_all(home);
  fs::create_directories(home);
  fs::current_path(home);
  for (const char* dir : {"files", "lexicons", "temp"}) fs::create_directory(dir);
  std::ofstream("wordkeg.ini")
      << "[PATHS]\r\nFILES=./files\r\nDICTIONARIES=./lexicons\r\nTEMP_FILES=./temp\r\n";
  previousPort_ = installMessagePort(&messages);
  app::resetProcessConfig();
  app::closeProcessCatalogue();
}

void HomeTest::TearDown() {
  for (const auto& unshown : messages.script) ADD_FAILURE() << "never shown: " << unshown.text;
  app::closeProcessCatalogue();
  app::resetProcessConfig();
  installMessagePort(previousPort_);
  fs::current_path(previous_);
  std::error_code ec;
  fs::remove_all(home, ec);
}

DictionaryNames& HomeTest::catalogue() {
  return app::processCatalogue();
}

const ConfigData& HomeTest::config() {
  return app::processConfig();
}

void HomeTest::useLongWords() {
  std::ofstream("wordkeg.ini", std::ios::app) << "[OPTIONS]\r\nLONG_WORDS=1\r\n";
  app::closeProcessCatalogue();
  app::resetProcessConfig();
}

std::string HomeTest::writeFile(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
  return name;
}

std::string HomeTest::lexPath(const std::string& name) {
  return app::processConfig().dictionaryPath(name + ".lex");
}

std::string HomeTest::tempPath(const std::string& name) {
  return app::processConfig().tempPath(name);
}

std::string HomeTest::makeDictionary(const std::string& name,
                                     const std::vector<std::string>& words) {
  const std::string path = lexPath(name);
  CompressDictionary writer(path);
  for (const auto& w : words) writer.addWord(w);
  writer.finish();
  return path;
}

std::vector<std::string> HomeTest::wordsOf(const std::string& path) {
  std::vector<std::string> words;
  Dictionary reader(context, path, false, 1024);
  reader.seek(1, 'a');
  while (reader.readNext()) words.push_back(reader.asWritten());
  return words;
}

std::vector<std::string> HomeTest::tempFiles() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(app::processConfig().tempDirectory()))
    names.push_back(e.path().filename().string());
  return names;
}

FileSizeLimit::FileSizeLimit(long bytes) {
#ifndef _WIN32
  std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG instead
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
  previous_ = limit.rlim_cur;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
#else
  (void)bytes;
#endif
}

FileSizeLimit::~FileSizeLimit() {
#ifndef _WIN32
  if (!active_) return;
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(previous_);
  setrlimit(RLIMIT_FSIZE, &limit);
#endif
}

std::vector<unsigned char> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace wk::test
