// zelsheet-demo: the customer master screen on the embedded sample server.
//
//   zelsheet-demo [--db PATH] [--rows N]
//
// The database is PATH, or customers.db in the user's data folder ($XDG_DATA_HOME/zelsheet
// or ~/.local/share/zelsheet), created with sample customers on first run. --rows N builds
// it anew with N sample customers (unless it already holds exactly N), for trying large
// sheets.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "demo/demo_app.h"

namespace {

std::string DefaultDbPath() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return std::string(xdg) + "/zelsheet/customers.db";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::string(home) + "/.local/share/zelsheet/customers.db";
  }
  return "customers.db";
}

int Usage(int status) {
  (status == 0 ? std::cout : std::cerr)
      << "usage: zelsheet-demo [--db PATH] [--rows N]\n"
         "  --db PATH  the customer database (default " << DefaultDbPath() << ")\n"
         "  --rows N   build the database anew with N sample customers\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  zel::demo::DemoOptions options;
  options.db_path = DefaultDbPath();
  long long rows = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--db" || arg == "--rows") && i + 1 >= argc) return Usage(2);
    if (arg == "--db") {
      options.db_path = argv[++i];
    } else if (arg == "--rows") {
      char* end = nullptr;
      rows = std::strtoll(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0' || rows < 0) return Usage(2);
    } else if (arg == "--help" || arg == "-h") {
      return Usage(0);
    } else {
      return Usage(2);
    }
  }
  if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') options.user = user;

  if (rows >= 0) {
    bool same = false;
    try {
      same = std::filesystem::exists(options.db_path) &&
             zel::server::CustomerServer(options.db_path).CustomerCount() == rows;
    } catch (const zel::server::ServerError&) {
    }
    if (!same) {
      std::cerr << "building " << rows << " sample customers in " << options.db_path << " ...\n";
      try {
        zel::server::CustomerServer::CreateDatabase(options.db_path, rows);
      } catch (const zel::server::ServerError& e) {
        std::cerr << "zelsheet-demo: " << e.what() << "\n";
        return 1;
      }
    }
  }

  try {
    zel::demo::DemoApp app(options);
    return app.Run();
  } catch (const zel::tui::TerminalError& e) {
    std::cerr << "zelsheet-demo: " << e.what() << "\n";
    return 1;
  }
}
