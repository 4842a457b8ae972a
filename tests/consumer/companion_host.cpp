// A host that exports: a two-row table written as a workbook through the companion tools.
#include <cstdio>
#include <fstream>
#include <string>

#include "zelsheet/file_tools.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  zel::GridTable table;
  table.titles = {"Code", "Name"};
  table.rows = {{"C001", "한결상사"}, {"C002", "새한물산"}};
  const std::string why = zel::WriteWorkbook(table, "Customers", argv[1]);
  std::ifstream in(argv[1], std::ios::binary);
  char magic[2] = {};
  in.read(magic, 2);
  if (!why.empty() || magic[0] != 'P' || magic[1] != 'K') {
    std::fprintf(stderr, "companion_host: no workbook written (%s)\n", why.c_str());
    return 1;
  }
  return 0;
}
