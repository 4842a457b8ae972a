// Types shared by every part of ZelSheet: the error the grid engine raises, the outcome of a
// file member, the cell type enumeration of the sheet's columns, and the colour value.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace zel {

// A colour as the interface passes it: 0x00BBGGRR.
using Color = int32_t;

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Raised by the grid engine for a bad index or a refused value. The message says what was
// refused and where ("SetText: column 12 is beyond MaxCols 10"). Members that "let the
// failure reach the caller" let this through; the others catch it.
class GridError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised by a sheet member for an index outside one of the sheet's own arrays (the column
// model, the display map, the field records of the multi-row layout): the "subscript out of
// range" that such members let reach the caller.
class SubscriptError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// The outcome of a member that reads or writes a file: success, or a failure with its
// reason ("cannot replace 'a.sts': Permission denied"), for the caller to pass on or to show.
class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  // A failure; an empty reason is given a general one, so a failure always says something.
  static Status Failure(std::string reason) {
    Status s;
    s.failed_ = true;
    s.reason_ = reason.empty() ? "failed" : std::move(reason);
    return s;
  }
  bool Ok() const { return !failed_; }
  // "" on success.
  const std::string& Reason() const { return reason_; }

 private:
  bool failed_ = false;
  std::string reason_;
};

// The cell type of a sheet column (16-bit values of the public interface).
enum EnumCellTypeConstants : int16_t {
  EnText = 1,
  EnFloat = 2,
  EnCombo = 3,
  EnCheck = 4,
  EnButton = 5,
  EnMask = 6,
  EnPicture = 7,
  EnTime = 8,
  EnDate = 9,
  EnDateMonth = 10,
  EnDateyear = 11,
  EnDateYearMonth = 12,
  EnDateDay = 13,
  EnCaption = 14,
  EnTextMulti = 15,
  EnImageButton = 16,
};

}  // namespace zel
