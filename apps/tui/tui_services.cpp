#include "tui/tui_services.h"

#include <algorithm>
#include <charconv>

#include "zelsheet/host_helpers.h"

namespace zel::tui {

namespace {

// The column choices of the merge and sort dialogs: "(없음)" first.
std::vector<std::string> WithNone(const std::vector<std::string>& titles) {
  std::vector<std::string> out{"(없음)"};
  out.insert(out.end(), titles.begin(), titles.end());
  return out;
}

int ToInt(const std::string& text, int fallback) {
  int v = fallback;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

}  // namespace

MsgBoxResult TuiMessageBoxes::MsgBox(const std::string& text, int32_t style, const std::string& title) {
  return static_cast<MsgBoxResult>(RunMessageBox(host_, text, style, title.empty() ? default_title_ : title));
}

std::string ChooseMenuEntry(ModalHost& host, const std::vector<PopupMenuEntry>& entries, int y,
                            int x, const std::string& default_entry) {
  std::vector<MenuItem> items;
  std::vector<const PopupMenuEntry*> shown;
  int default_index = -1;
  for (const PopupMenuEntry& e : entries) {
    if (!e.visible) continue;
    // No separator first, and none twice in a row.
    if (e.caption == "-" && (items.empty() || items.back().caption == "-")) continue;
    if (e.name == default_entry) default_index = static_cast<int>(items.size());
    items.push_back({e.caption, e.enabled, e.checked});
    shown.push_back(&e);
  }
  if (!items.empty() && items.back().caption == "-") items.pop_back(), shown.pop_back();
  const int chosen = RunPopupMenu(host, items, y, x, default_index);
  return chosen < 0 ? "" : shown[static_cast<size_t>(chosen)]->name;
}

TuiCompanionTools::TuiCompanionTools(ModalHost& host, MessageBoxes& messages,
                                     std::function<std::string()> export_folder)
    : FileCompanionTools(messages, std::move(export_folder)), host_(host), messages_(messages) {}

bool TuiCompanionTools::GetColMerge(ColMergeDialog& d) {
  // The columns offered: "(없음)" (0), then those the user sees and any already chosen.
  std::vector<int16_t> cols{0};
  std::vector<std::string> titles;
  for (size_t i = 0; i < d.column_titles.size() && i < 32767; ++i) {
    const auto col = static_cast<int16_t>(i + 1);
    const bool chosen = col == d.gColMerge1 || col == d.gColMerge2 || col == d.gColMerge3;
    if (i < d.hidden.size() && d.hidden[i] && !chosen) continue;
    cols.push_back(col);
    titles.push_back(d.column_titles[i]);
  }
  const std::vector<std::string> options = WithNone(titles);
  auto choice = [&](const std::string& label, int16_t col) {
    FormField f{.kind = FormField::Kind::Choice, .label = label, .options = options};
    const auto at = std::find(cols.begin(), cols.end(), col);
    f.choice = at == cols.end() ? 0 : static_cast<int>(at - cols.begin());
    return f;
  };
  Form form{"열 병합", "같은 값이 이어지는 행을 하나로 보일 열", {}};
  form.fields = {choice("첫째 열", d.gColMerge1), choice("둘째 열", d.gColMerge2),
                 choice("셋째 열", d.gColMerge3),
                 {.kind = FormField::Kind::Check, .label = "묶음마다 색 칠하기", .checked = d.bIsColor}};
  if (!RunForm(host_, form)) return false;
  auto col_of = [&](const FormField& f) {
    return f.choice >= 0 && f.choice < static_cast<int>(cols.size()) ? cols[static_cast<size_t>(f.choice)] : int16_t{0};
  };
  d.gColMerge1 = col_of(form.fields[0]);
  d.gColMerge2 = col_of(form.fields[1]);
  d.gColMerge3 = col_of(form.fields[2]);
  d.bIsColor = form.fields[3].checked;
  return true;
}

bool TuiCompanionTools::GetSheetFilter(SheetFilterDialog& d) {
  Form form{"필터", "열마다 찾을 값 (빈 칸: 조건 없음)", {}};
  // Hidden columns are not offered: the user could not see what they filter.
  std::vector<size_t> offered;
  for (size_t i = 0; i < d.ArrayName.size(); ++i) {
    if (i < d.hidden.size() && d.hidden[i]) continue;
    form.fields.push_back({.kind = FormField::Kind::Text, .label = d.ArrayName[i],
                           .text = i < d.ArrayValue.size() ? d.ArrayValue[i] : "", .width = 24});
    offered.push_back(i);
  }
  if (!RunForm(host_, form)) return false;
  d.ArrayValue.assign(d.ArrayName.size(), "");
  for (size_t k = 0; k < offered.size(); ++k) d.ArrayValue[offered[k]] = form.fields[k].text;
  return true;
}

bool TuiCompanionTools::GetSheetSetting(SheetSettingDialog& d) {
  Form form{"환경 설정", "숨길 열에 표시하십시오", {}};
  std::vector<size_t> editable;
  for (size_t i = 0; i < d.ArrayName.size(); ++i) {
    const std::string value = i < d.ArrayValue.size() ? d.ArrayValue[i] : "0";
    if (value == "HID") continue;  // hidden by the screen: not the user's to show
    form.fields.push_back({.kind = FormField::Kind::Check, .label = d.ArrayName[i], .checked = value == "1"});
    editable.push_back(i);
  }
  if (!RunForm(host_, form)) return false;
  d.ArrayValue.resize(d.ArrayName.size(), "0");
  for (size_t k = 0; k < editable.size(); ++k) d.ArrayValue[editable[k]] = form.fields[k].checked ? "1" : "0";
  for (std::string& v : d.ArrayValue) {
    if (v == "HID") v = "1";
  }
  return true;
}

bool TuiCompanionTools::GetSearch(SearchDialog& d) {
  Form form{"찾기", "찾을 내용 (빈 칸: 찾기 끝)  F3 다음 찾기", {}};
  form.fields.push_back({.kind = FormField::Kind::Text, .label = "찾을 내용", .text = d.txtSearch, .width = 30});
  if (!RunForm(host_, form)) return false;
  d.txtSearch = form.fields[0].text;
  return true;
}

bool TuiCompanionTools::GetSheetSort(SheetSortDialog& d) {
  std::vector<std::string> options;
  for (const SortChoice& c : d.items) options.push_back(c.caption.empty() ? "(없음)" : c.caption);
  auto index_of = [&](int32_t item_data) {
    for (size_t i = 0; i < d.items.size(); ++i) {
      if (d.items[i].ItemData == item_data) return static_cast<int>(i);
    }
    return 0;
  };
  const std::vector<std::string> order{"오름차순", "내림차순"};
  auto key = [&](const std::string& label, int32_t col) {
    FormField f{.kind = FormField::Kind::Choice, .label = label, .options = options};
    f.choice = index_of(col);
    return f;
  };
  auto dir = [&](bool asc) {
    FormField f{.kind = FormField::Kind::Choice, .label = "  순서", .options = order};
    f.choice = asc ? 0 : 1;
    return f;
  };
  Form form{"정렬", "", {key("첫째 기준", d.cboFirst), dir(d.optFirstAsc), key("둘째 기준", d.cboSecond),
                          dir(d.optSecondAsc), key("셋째 기준", d.cboThird), dir(d.optThirdAsc)}};
  if (!RunForm(host_, form)) return false;
  auto data = [&](int field) {
    const int i = form.fields[static_cast<size_t>(field)].choice;
    return i >= 0 && i < static_cast<int>(d.items.size()) ? d.items[static_cast<size_t>(i)].ItemData : 0;
  };
  d.cboFirst = data(0), d.cboSecond = data(2), d.cboThird = data(4);
  d.optFirstAsc = form.fields[1].choice == 0;
  d.optSecondAsc = form.fields[3].choice == 0;
  d.optThirdAsc = form.fields[5].choice == 0;
  return true;
}

bool TuiCompanionTools::GetFrozen(FrozenDialog& d) {
  if (!d.columns.empty()) return GetFrozenColumns(d);
  Form form{"고정", "0 에서 " + std::to_string(d.lngMax) + " 까지 (0: 고정 해제)", {}};
  form.fields.push_back({.kind = FormField::Kind::Number, .label = d.lblTitle.empty() ? "개수" : d.lblTitle,
                         .text = d.txtNumber, .width = 8});
  for (;;) {
    if (!RunForm(host_, form)) return false;
    const int n = ToInt(form.fields[0].text, -1);
    if (n >= 0 && n <= d.lngMax) {
      d.txtNumber = std::to_string(n);
      return true;
    }
    RunMessageBox(host_, "0 에서 " + std::to_string(d.lngMax) + " 사이의 수를 넣으십시오.",
                  vbOKOnly | vbExclamation, "고정");
  }
}

bool TuiCompanionTools::GetFrozenColumns(FrozenDialog& d) {
  // The columns by their titles, as the user sees them: the frozen ones are those up to the
  // one chosen. The current count shows as the last shown column within it.
  const int frozen = ToInt(d.txtNumber, 0);
  FormField f{.kind = FormField::Kind::Choice, .label = "마지막 고정 열", .options = {"(고정 없음)"}};
  for (const SortChoice& c : d.columns) {
    f.options.push_back(c.caption);
    if (c.ItemData <= frozen) f.choice = static_cast<int>(f.options.size()) - 1;
  }
  Form form{"열 고정", "왼쪽부터 이 열까지는 오른쪽으로 옮겨도 늘 보입니다", {f}};
  if (!RunForm(host_, form)) return false;
  const int chosen = form.fields[0].choice;
  d.txtNumber = chosen <= 0 ? "0" : std::to_string(d.columns[static_cast<size_t>(chosen) - 1].ItemData);
  return true;
}

bool TuiCompanionTools::GetSheetSeperate(SheetSeperateDialog& d) {
  Form form{"행 나누기", "나눌 열에 표시하십시오", {}};
  // Hidden columns are not offered: the user could not see what is halved.
  std::vector<size_t> offered;
  for (size_t i = 0; i < d.titles.size(); ++i) {
    if (i < d.hidden.size() && d.hidden[i]) continue;
    form.fields.push_back({.kind = FormField::Kind::Check, .label = d.titles[i],
                           .checked = i < d.ticked.size() && d.ticked[i]});
    offered.push_back(i);
  }
  if (!RunForm(host_, form)) return false;
  d.ticked.assign(d.titles.size(), false);
  for (size_t k = 0; k < offered.size(); ++k) d.ticked[offered[k]] = form.fields[k].checked;
  return true;
}

bool TuiCompanionTools::GetDate(DateDialog& d) {
  Form form{"날짜", "yyyymmdd (예: 20240105)", {}};
  form.fields.push_back({.kind = FormField::Kind::Number, .label = "날짜", .text = d.date, .width = 8});
  if (!RunForm(host_, form)) return false;
  d.date = form.fields[0].text;
  return true;
}

void TuiCompanionTools::GetCalOnSheet(const CalOnSheetDialog& d) {
  const std::string text = "합계: " + d.dfTotal + "\n평균: " + d.dfAverage + "\n최대: " + d.dfMax +
                           "\n최소: " + d.dfMin + "\n건수: " + d.dfRecordCnt;
  RunMessageBox(host_, text, vbOKOnly | vbInformation, "합계와 평균");
}

void TuiCompanionTools::ShowErrorMsg(std::string& error_list) {
  std::vector<std::string> lines;
  try {
    for (const ErrorListEntry& e : ReadErrorList(error_list)) {
      lines.push_back(std::to_string(e.row) + "행: " + e.message);
    }
  } catch (const WireTextError&) {
    lines = WrapText(error_list, 70);  // not the sheet's form: shown as it is
  }
  if (lines.empty()) {
    RunMessageBox(host_, "오류 내역이 없습니다.", vbOKOnly | vbInformation, "오류 목록");
    return;
  }
  RunListBox(host_, "오류 목록 (" + std::to_string(lines.size()) + "건)", lines, 0, true);
}

ToolOutcome TuiCompanionTools::Tell(const ToolOutcome& outcome) {
  if (outcome.done) {
    messages_.MsgBox("파일을 만들었습니다:\n" + outcome.path, vbOKOnly | vbInformation, "내보내기");
  } else {
    messages_.MsgBox(outcome.message.empty() ? "내보내지 못했습니다." : outcome.message,
                     vbOKOnly | vbExclamation, "내보내기");
  }
  return outcome;
}

ToolOutcome TuiCompanionTools::sbPrint(const GridTable& grid, const std::string& title) {
  return Tell(FileCompanionTools::sbPrint(grid, title));
}

ToolOutcome TuiCompanionTools::SendToExcel(std::string& info_field3, const GridTable& grid) {
  return Tell(FileCompanionTools::SendToExcel(info_field3, grid));
}

ToolOutcome TuiCompanionTools::SendExcel(const std::string& pgm_id, std::string& info_field3,
                                         std::string& document, const GridTable& grid,
                                         std::string& header_title) {
  return Tell(FileCompanionTools::SendExcel(pgm_id, info_field3, document, grid, header_title));
}

ToolOutcome TuiCompanionTools::sbShowChart(const GridTable& grid, int32_t x, int32_t y) {
  return Tell(FileCompanionTools::sbShowChart(grid, x, y));
}

}  // namespace zel::tui
