// The query in parts: the parts put together are the whole query, filtered or not, and a
// caller that stops (throws) stops the reading without losing the error.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "server/customer_server.h"
#include "server_support.h"

namespace zel::server {
namespace {

using testing::TempDir;

TEST(QueryPages, PartsMakeTheWholeQuery) {
  TempDir dir;
  CustomerServer server(dir.File("c.db"));
  for (const char* filter : {"", "상사", "no such name"}) {
    for (int64_t rows : {1, 64, 1000}) {
      std::string joined;
      int parts = 0;
      server.QueryPages(filter, rows, [&](std::string& part) {
        EXPECT_FALSE(part.empty());
        EXPECT_TRUE(part.ends_with("~I~")) << "a part ends with a whole row";
        joined += part;
        ++parts;
      });
      EXPECT_EQ(joined, server.Query(filter)) << filter << " in parts of " << rows;
      if (*filter == '\0') {
        EXPECT_EQ(parts, (CustomerServer::kDefaultCustomers + rows - 1) / rows);
      }
    }
  }
}

TEST(QueryPages, ACallerThatStopsStopsTheReading) {
  TempDir dir;
  CustomerServer server(dir.File("c.db"));
  int parts = 0;
  EXPECT_THROW(server.QueryPages("", 10,
                                 [&](std::string&) {
                                   if (++parts == 3) throw std::runtime_error("enough");
                                 }),
               std::runtime_error);
  EXPECT_EQ(parts, 3);
  EXPECT_EQ(server.CustomerCount(), CustomerServer::kDefaultCustomers);  // still usable
}

}  // namespace
}  // namespace zel::server
