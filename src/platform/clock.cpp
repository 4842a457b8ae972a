// The current date: the system clock, and the "yyyymmdd" text the sheet compares dates in.
#include "platform/internal/system_services.h"

#include <ctime>

namespace zel {

namespace {

void AppendDigits(std::string& out, int32_t value, int width) {
  std::string digits = std::to_string(value < 0 ? 0 : value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

}  // namespace

std::string Clock::TodayText() {
  const DateTime now = Now();
  std::string out;
  AppendDigits(out, now.year, 4);
  AppendDigits(out, now.month, 2);
  AppendDigits(out, now.day, 2);
  return out;
}

namespace internal {

DateTime SystemClock::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return DateTime{};
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace internal
}  // namespace zel
