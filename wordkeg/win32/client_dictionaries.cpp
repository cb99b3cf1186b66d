// The client's dictionary commands.
#include "client_dialog.h"

namespace wkw {

void wkegowlTDLGClient::dictionaryCommand(int) {}

}  // namespace wkw
