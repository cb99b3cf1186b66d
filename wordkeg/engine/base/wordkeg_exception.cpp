#include "wordkeg_exception.h"

#include "message_port.h"
#include "string_table.h"

namespace wk {

void warnLeftOut(const WordkegException& e) {
  if (!e.shown()) showMessage(e.text(), str(kWarningCaption), mb::kIconExclamation | mb::kOk);
}

}  // namespace wk
