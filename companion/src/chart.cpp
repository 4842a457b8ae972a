// The chart: the selected number columns of the sheet against its first text column, drawn
// once by cairo onto an SVG surface and once onto an image written as PNG. A few rows give
// grouped bars, many rows lines (bars would be too thin to see).
#include <cairo-svg.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "output_files.h"
#include "zelsheet/file_tools.h"

namespace zel {

namespace {

using companion::ColumnOf;

constexpr int kWidth = 900;
constexpr int kHeight = 540;
constexpr double kLeft = 80, kRight = 170, kTop = 50, kBottom = 90;
constexpr size_t kMaxBars = 40;
constexpr size_t kMaxLabels = 40;
constexpr const char* kFont = "NanumGothic, Noto Sans CJK KR, Sans 9";

const double kPalette[][3] = {{0.20, 0.40, 0.75}, {0.90, 0.45, 0.10}, {0.25, 0.65, 0.30},
                              {0.80, 0.20, 0.25}, {0.55, 0.35, 0.70}, {0.45, 0.45, 0.45}};

struct Series {
  std::string name;
  std::vector<double> values;
};

struct ChartData {
  std::vector<std::string> labels;
  std::vector<Series> series;
  double low = 0, high = 1;
};

std::optional<ChartData> Collect(const GridTable& table, std::string& why) {
  const size_t cols = companion::ColumnCount(table);
  std::vector<size_t> numbers;
  std::optional<size_t> label_col;
  for (size_t c : companion::ShownColumns(table)) {
    const TableColumn column = ColumnOf(table, c);
    if (column.kind == TableKind::kText && !label_col) label_col = c;
  }
  auto is_number = [&](size_t c) {
    return c < cols && ColumnOf(table, c).kind == TableKind::kNumber && !ColumnOf(table, c).hidden;
  };
  for (int32_t c : table.selected_cols) {
    if (c >= 0 && is_number(static_cast<size_t>(c))) numbers.push_back(static_cast<size_t>(c));
  }
  if (numbers.empty()) {
    for (size_t c : companion::ShownColumns(table)) {
      if (is_number(c)) numbers.push_back(c);
    }
  }
  if (numbers.empty()) {
    why = "the sheet has no number column to chart";
    return std::nullopt;
  }
  if (table.rows.empty()) {
    why = "the sheet has no rows to chart";
    return std::nullopt;
  }
  ChartData data;
  data.low = 0;
  data.high = 0;
  for (size_t r = 0; r < table.rows.size(); ++r) {
    const auto& row = table.rows[r];
    data.labels.push_back(label_col && *label_col < row.size()
                              ? companion::CleanText(row[*label_col], 24)
                              : std::to_string(r + 1));
  }
  for (size_t c : numbers) {
    Series s;
    s.name = companion::CleanText(c < table.titles.size() ? table.titles[c] : "", 30);
    for (const auto& row : table.rows) {
      const double v = c < row.size() ? companion::NumberOf(row[c]).value_or(0.0) : 0.0;
      s.values.push_back(v);
      data.low = std::min(data.low, v);
      data.high = std::max(data.high, v);
    }
    data.series.push_back(std::move(s));
  }
  if (data.high == data.low) data.high = data.low + 1;
  return data;
}

// A round step for about five grid lines over [low, high].
double Step(double low, double high) {
  const double raw = (high - low) / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    if (raw <= m * magnitude) return m * magnitude;
  }
  return 10 * magnitude;
}

void Label(cairo_t* cr, PangoLayout* layout, const std::string& text, double x, double y,
           double align_x, double angle = 0) {
  pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -w * align_x, -h / 2.0);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

void Draw(cairo_t* cr, const ChartData& data, const std::string& title) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string(kFont);
  pango_layout_set_font_description(layout, font);

  const double plot_w = kWidth - kLeft - kRight, plot_h = kHeight - kTop - kBottom;
  const double step = Step(data.low, data.high);
  const double low = std::floor(data.low / step) * step, high = std::ceil(data.high / step) * step;
  auto y_of = [&](double v) { return kTop + plot_h * (1 - (v - low) / (high - low)); };

  cairo_set_source_rgb(cr, 0, 0, 0);
  Label(cr, layout, companion::CleanText(title, 60), kWidth / 2.0, 22, 0.5);
  cairo_set_line_width(cr, 0.5);
  for (double v = low; v <= high + step / 2; v += step) {
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
    cairo_move_to(cr, kLeft, y_of(v));
    cairo_line_to(cr, kLeft + plot_w, y_of(v));
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    Label(cr, layout, companion::ShownNumber(v, step < 1 ? 2 : 0, true), kLeft - 6, y_of(v), 1.0);
  }

  const size_t n = data.labels.size();
  const double slot = plot_w / static_cast<double>(n);
  const bool bars = n <= kMaxBars;
  for (size_t k = 0; k < data.series.size(); ++k) {
    const double* rgb = kPalette[k % std::size(kPalette)];
    cairo_set_source_rgb(cr, rgb[0], rgb[1], rgb[2]);
    const auto& values = data.series[k].values;
    if (bars) {
      const double bar = slot * 0.8 / static_cast<double>(data.series.size());
      for (size_t i = 0; i < n; ++i) {
        const double x = kLeft + slot * i + slot * 0.1 + bar * k;
        const double y0 = y_of(std::max(0.0, low)), y1 = y_of(values[i]);
        cairo_rectangle(cr, x, std::min(y0, y1), bar, std::fabs(y1 - y0));
      }
      cairo_fill(cr);
    } else {
      cairo_set_line_width(cr, 1.2);
      for (size_t i = 0; i < n; ++i) {
        const double x = kLeft + slot * (i + 0.5);
        if (i == 0) cairo_move_to(cr, x, y_of(values[i])); else cairo_line_to(cr, x, y_of(values[i]));
      }
      cairo_stroke(cr);
    }
    cairo_rectangle(cr, kWidth - kRight + 15, kTop + 20.0 * k, 12, 12);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    Label(cr, layout, data.series[k].name, kWidth - kRight + 32, kTop + 20.0 * k + 6, 0.0);
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, kLeft, kTop);
  cairo_line_to(cr, kLeft, kTop + plot_h);
  cairo_line_to(cr, kLeft + plot_w, kTop + plot_h);
  cairo_stroke(cr);
  const size_t every = std::max<size_t>(1, (n + kMaxLabels - 1) / kMaxLabels);
  for (size_t i = 0; i < n; i += every) {
    Label(cr, layout, data.labels[i], kLeft + slot * (i + 0.5), kTop + plot_h + 8, 1.0, -0.7);
  }
  pango_font_description_free(font);
  g_object_unref(layout);
}

}  // namespace

std::string WriteChart(const GridTable& table, const std::string& title,
                       const std::string& svg_path, const std::string& png_path) {
  std::string why;
  const std::optional<ChartData> data = Collect(table, why);
  if (!data) return why;

  cairo_surface_t* svg = cairo_svg_surface_create(svg_path.c_str(), kWidth, kHeight);
  cairo_t* cr = cairo_create(svg);
  Draw(cr, *data, title);
  cairo_destroy(cr);
  cairo_surface_finish(svg);
  const cairo_status_t svg_status = cairo_surface_status(svg);
  cairo_surface_destroy(svg);
  if (svg_status != CAIRO_STATUS_SUCCESS) return std::string("the SVG could not be written: ") + cairo_status_to_string(svg_status);

  cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cr = cairo_create(png);
  Draw(cr, *data, title);
  cairo_destroy(cr);
  const cairo_status_t png_status = cairo_surface_write_to_png(png, png_path.c_str());
  cairo_surface_destroy(png);
  if (png_status != CAIRO_STATUS_SUCCESS) return std::string("the PNG could not be written: ") + cairo_status_to_string(png_status);
  return "";
}

}  // namespace zel
