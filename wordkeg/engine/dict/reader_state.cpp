#include "reader_state.h"

namespace wk {

ReaderState& readerState() {
  static ReaderState state;
  return state;
}

}  // namespace wk
