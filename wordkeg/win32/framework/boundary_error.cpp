#include "boundary_error.h"

#include "engine/base/message_port.h"
#include "engine/base/string_table.h"
#include "engine/base/wordkeg_exception.h"

namespace wkw {

void reportBoundaryError(const std::exception& e) {
  const auto* own = dynamic_cast<const wk::WordkegException*>(&e);
  if (own && own->shown()) return;
  wk::showMessage(e.what(), wk::str(wk::kExceptionCaption), wk::mb::kIconStop | wk::mb::kOk);
}

}  // namespace wkw
