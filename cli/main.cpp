#include <string_view>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return cli::Main(args, cli::Io{});
}
