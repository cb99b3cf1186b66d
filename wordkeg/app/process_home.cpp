#include "process_home.h"

#include <memory>

#include "engine/config/config_data.h"
#include "engine/dict/dictionary_names.h"

namespace wk::app {
namespace {

std::unique_ptr<ConfigData>& config() {
  static std::unique_ptr<ConfigData> instance;
  return instance;
}

std::unique_ptr<DictionaryNames>& catalogue() {
  static std::unique_ptr<DictionaryNames> instance;
  return instance;
}

std::string& home() {
  static std::string path = ".";
  return path;
}

}  // namespace

void useProcessHome(const std::string& path) {
  home() = path;
  config().reset();
}

ConfigData& processConfig() {
  if (!config()) config() = std::make_unique<ConfigData>(home());
  return *config();
}

void resetProcessConfig() {
  config().reset();
}

DictionaryNames& processCatalogue() {
  if (!catalogue()) catalogue() = DictionaryNames::open(processConfig());
  return *catalogue();
}

bool closeProcessCatalogue() {
  std::unique_ptr<DictionaryNames> closing = std::move(catalogue());
  return !closing || closing->writeBack();
}

}  // namespace wk::app
