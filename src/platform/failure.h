// The four ways a member fails, in one place. Every member has one of them, and every member
// that catches catches here, so that whatever is thrown under it (an exception of the
// standard library, a grid error, or a host platform's own string or number) ends the same
// way:
//
//   skip the step and go on   SkipStep(step), ReadOr(read, fallback)
//   end quietly               EndQuietly(handler)
//   show a box                ShowFailureBox(platform, title, work), ShowFailureBox(platform,
//                             title, status)
//   let the error through     the member does not catch: nothing here
//
// Each of them catches everything (catch (...)) and none lets anything out, also when the
// message box that reports a failure fails itself: they are noexcept and must never reach
// std::terminate.
//
//   bool loaded = SkipStep([&] { ReadOsLanguage(); });      // false: skipped, go on
//   if (!ShowFailureBox(platform, "[MessageCheckSave]", [&] { Walk(); })) return false;
#pragma once

#include <concepts>
#include <string>
#include <string_view>

#include "zelsheet/platform.h"
#include "zelsheet/types.h"

namespace zel::internal {

// Shown when a failure carries no text of its own.
inline constexpr std::string_view kUnknownFailure = "Unexpected failure";

// The text of the failure being handled; call it only inside a catch block. what() of an
// exception, the text of a thrown string, "Error <n>" for a thrown number, kUnknownFailure
// for anything else (or when even the text cannot be made).
std::string CurrentFailureText() noexcept;

// "<context>: <text>", or `text` alone when the text cannot be made.
std::string WithContext(std::string_view context, std::string text) noexcept;

// A message box that must not fail again: the members that call it have failed or finished
// already. Whatever the box service throws is swallowed.
void ShowBox(Platform& platform, std::string_view text, int32_t style,
             std::string_view title) noexcept;

// Skip the step and go on: runs `step`; true when it completed, false when it threw.
template <class Step>
bool SkipStep(Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

// A read that is a step of its own: the value `read` returns, or `fallback` when it throws.
template <class Read, class T>
T ReadOr(Read&& read, T fallback) noexcept {
  try {
    return read();
  } catch (...) {
    return fallback;
  }
}

// End quietly: a handler of a grid event catches its own failures; the event is over.
template <class Handler>
void EndQuietly(Handler&& handler) noexcept {
  SkipStep(handler);
}

// Show a box: runs `work`; when it throws, the failure's text is shown in a critical box
// titled `title` and the result is false.
template <std::invocable Work>
bool ShowFailureBox(Platform& platform, std::string_view title, Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    ShowBox(platform, CurrentFailureText(), vbCritical, title);
    return false;
  }
}

// The same with `context` before the failure's text ("Column 3, title: <failure>"), for a
// member that shows a box for each failing step and goes on with the next.
template <std::invocable Work>
bool ShowFailureBox(Platform& platform, std::string_view title, std::string_view context,
                    Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    ShowBox(platform, WithContext(context, CurrentFailureText()), vbCritical, title);
    return false;
  }
}

// The same for a file member's outcome: a failure's reason in a critical box; Ok() itself.
bool ShowFailureBox(Platform& platform, std::string_view title, const Status& status) noexcept;

}  // namespace zel::internal
