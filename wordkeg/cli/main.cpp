#include "cli_app.h"

int main(int argc, char** argv) {
  return wk::cli::runCli(argc, argv);
}
