#pragma once
// MakeDictFromFile: the Make Dictionary From File dialog on MAKE_DICT_DLG, and TimeWarning, the
// reminder shown when the unique-words mode is chosen.
#include "app/dialog_host.h"
#include "framework/dialog.h"
#include "framework/help_context.h"

namespace wk {
class ConfigData;
class DictionaryNames;
}  // namespace wk

namespace wkw {

class MakeDictFromFile : public Dialog {
 public:
  MakeDictFromFile(wk::app::DialogHost& host, wk::DictionaryNames& catalogue);

 protected:
  void onInit() override;
  void onCommand(int id, int code, HWND control) override;

 private:
  void browse();

  wk::app::DialogHost& host_;
  wk::DictionaryNames& catalogue_;
  ScopedHelpContext help_{1008};
};

class TimeWarning : public Dialog {
 public:
  // Its "do not show again" box is kept in `config`.
  explicit TimeWarning(const wk::ConfigData& config);

 protected:
  void onCommand(int id, int code, HWND control) override;

 private:
  const wk::ConfigData& config_;
};

}  // namespace wkw
