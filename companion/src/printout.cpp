// The print: the sheet laid out on landscape A4 pages through cairo, texts set by pango
// (so Hangul and every other script find a font). Pages go down the rows first and then
// over to the columns that did not fit: page 1 holds the first rows of the first columns,
// the pages after it the following rows, and only then the next columns start again from
// the first row. Every page repeats the title and the header rows and carries its number.
#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>

#include "output_files.h"
#include "zelsheet/file_tools.h"

namespace zel {

namespace {

using companion::CleanText;
using companion::ColumnOf;

constexpr double kPageWidth = 842;   // A4 landscape, points
constexpr double kPageHeight = 595;
constexpr double kMargin = 28;
constexpr double kTitleHeight = 26;
constexpr double kFooterHeight = 18;
constexpr double kRowHeight = 14;
constexpr double kPointsPerChar = 5.6;  // one character of the sheet's width unit
constexpr double kMinColWidth = 18;
constexpr size_t kMaxCellChars = 400;   // what can show in a cell; the rest is cut
constexpr const char* kFont = "NanumGothic, Noto Sans CJK KR, Sans";

void SetColor(cairo_t* cr, Color bgr) {
  const uint32_t v = static_cast<uint32_t>(bgr);
  cairo_set_source_rgb(cr, (v & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, ((v >> 16) & 0xFF) / 255.0);
}

struct LayoutDeleter {
  void operator()(PangoLayout* l) const { g_object_unref(l); }
};
struct FontDeleter {
  void operator()(PangoFontDescription* f) const { pango_font_description_free(f); }
};

// One page's worth of drawing, with the layouts it reuses.
class PageWriter {
 public:
  explicit PageWriter(cairo_t* cr) : cr_(cr), layout_(pango_cairo_create_layout(cr)) {
    pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_END);
    body_.reset(pango_font_description_from_string(kFont));
    pango_font_description_set_size(body_.get(), 8 * PANGO_SCALE);
    bold_.reset(pango_font_description_copy(body_.get()));
    pango_font_description_set_weight(bold_.get(), PANGO_WEIGHT_BOLD);
    title_.reset(pango_font_description_copy(bold_.get()));
    pango_font_description_set_size(title_.get(), 13 * PANGO_SCALE);
  }

  enum Align { kLeft, kRight, kCenter };

  // `text` inside the box, cut with an ellipsis when it does not fit.
  void Text(const std::string& text, double x, double y, double w, double h, Align align,
            PangoFontDescription* font, Color color) {
    if (text.empty() || w <= 4) return;
    PangoLayout* l = layout_.get();
    pango_layout_set_font_description(l, font);
    pango_layout_set_width(l, static_cast<int>((w - 4) * PANGO_SCALE));
    pango_layout_set_alignment(l, align == kRight ? PANGO_ALIGN_RIGHT
                                  : align == kCenter ? PANGO_ALIGN_CENTER : PANGO_ALIGN_LEFT);
    pango_layout_set_text(l, text.c_str(), static_cast<int>(text.size()));
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(l, &tw, &th);
    SetColor(cr_, color);
    cairo_move_to(cr_, x + 2, y + (h - th) / 2);
    pango_cairo_show_layout(cr_, l);
  }

  void Box(double x, double y, double w, double h, Color back) {
    SetColor(cr_, back);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
    cairo_set_source_rgb(cr_, 0.55, 0.55, 0.55);
    cairo_set_line_width(cr_, 0.4);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_stroke(cr_);
  }

  PangoFontDescription* Body() { return body_.get(); }
  PangoFontDescription* Bold() { return bold_.get(); }
  PangoFontDescription* TitleFont() { return title_.get(); }

 private:
  cairo_t* cr_;
  std::unique_ptr<PangoLayout, LayoutDeleter> layout_;
  std::unique_ptr<PangoFontDescription, FontDeleter> body_, bold_, title_;
};

// The shown columns cut into groups that each fit the page's width.
std::vector<std::vector<size_t>> ColumnGroups(const GridTable& table, std::vector<double>& widths) {
  const double usable = kPageWidth - 2 * kMargin;
  std::vector<std::vector<size_t>> groups(1);
  double used = 0;
  for (size_t c : companion::ShownColumns(table)) {
    const double w = std::clamp(ColumnOf(table, c).width * kPointsPerChar, kMinColWidth, usable);
    widths[c] = w;
    if (used + w > usable && !groups.back().empty()) {
      groups.emplace_back();
      used = 0;
    }
    groups.back().push_back(c);
    used += w;
  }
  return groups;
}

}  // namespace

std::string WritePrintout(const GridTable& table, const std::string& title,
                          const std::string& path) {
  const size_t cols = companion::ColumnCount(table);
  std::vector<double> widths(cols, 0);
  const std::vector<std::vector<size_t>> groups = ColumnGroups(table, widths);
  if (groups.front().empty()) return "the sheet has no shown columns to print";
  const std::vector<std::vector<std::string>> single{table.titles};
  const auto& headers = table.header_rows.empty() ? single : table.header_rows;
  const double body_top = kMargin + kTitleHeight + headers.size() * kRowHeight;
  const double body_height = kPageHeight - kMargin - kFooterHeight - body_top;
  const size_t per_page = std::max<size_t>(1, static_cast<size_t>(body_height / kRowHeight));
  const size_t row_pages = std::max<size_t>(1, (table.rows.size() + per_page - 1) / per_page);
  const size_t pages = row_pages * groups.size();

  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return "cannot create the PDF '" + path + "'";
  }
  const std::string clean_title = CleanText(title, kMaxCellChars);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, clean_title.c_str());
  cairo_t* cr = cairo_create(surface);
  {
    PageWriter page(cr);
    std::vector<TableColumn> described(cols);
    for (size_t c = 0; c < cols; ++c) described[c] = ColumnOf(table, c);
    size_t number = 0;
    for (const std::vector<size_t>& group : groups) {
      for (size_t chunk = 0; chunk < row_pages; ++chunk) {
        ++number;
        page.Text(clean_title, kMargin, kMargin, kPageWidth - 2 * kMargin, kTitleHeight - 6,
                  PageWriter::kLeft, page.TitleFont(), 0);
        for (size_t h = 0; h < headers.size(); ++h) {
          double x = kMargin;
          const double y = kMargin + kTitleHeight + h * kRowHeight;
          for (size_t c : group) {
            page.Box(x, y, widths[c], kRowHeight, table.header_back);
            const std::string text = c < headers[h].size() ? CleanText(headers[h][c], kMaxCellChars) : "";
            page.Text(text, x, y, widths[c], kRowHeight, PageWriter::kCenter, page.Bold(), table.header_fore);
            x += widths[c];
          }
        }
        const size_t first = chunk * per_page;
        const size_t last = std::min(table.rows.size(), first + per_page);
        for (size_t r = first; r < last; ++r) {
          const double y = body_top + (r - first) * kRowHeight;
          const Color back = r < table.row_back.size() ? table.row_back[r] : 0xFFFFFF;
          const Color fore = r < table.row_fore.size() ? table.row_fore[r] : 0;
          double x = kMargin;
          for (size_t c : group) {
            page.Box(x, y, widths[c], kRowHeight, back);
            const auto& values = table.rows[r];
            if (c < values.size() && !values[c].empty()) {
              const std::string shown = companion::ShownValue(
                  described[c], values[c].size() > 4 * kMaxCellChars ? values[c].substr(0, 4 * kMaxCellChars) : values[c]);
              const bool right = described[c].kind == TableKind::kNumber;
              const bool centre = described[c].kind == TableKind::kCheck || described[c].kind == TableKind::kDate;
              page.Text(shown, x, y, widths[c], kRowHeight,
                        right ? PageWriter::kRight : centre ? PageWriter::kCenter : PageWriter::kLeft,
                        page.Body(), fore);
            }
            x += widths[c];
          }
        }
        const std::string footer = std::to_string(number) + " / " + std::to_string(pages);
        page.Text(footer, kMargin, kPageHeight - kMargin - kFooterHeight + 4, kPageWidth - 2 * kMargin,
                  kFooterHeight, PageWriter::kCenter, page.Body(), 0);
        cairo_show_page(cr);
      }
    }
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    return std::string("the PDF could not be written: ") + cairo_status_to_string(status);
  }
  return "";
}

}  // namespace zel
