#pragma once
// The data-list window's part of the environment file: its keys with their defaults,
// which a new environment file carries after the main window's lines.
#include <array>
#include <string_view>

namespace plomix {

// A line of a data-list-only file starts with this: the data-list window wrote it alone.
inline constexpr char kDataListMarker[] = "DLeft=";

// The data-list window's keys with their defaults, carried by a new environment file.
inline constexpr std::array<std::string_view, 19> kDataListDefaultLines = {
    "DLeft=191", "DTop=182", "DWidth=598", "DHeight=378", "DWindowState=0",
    "DFontName=ＭＳ Ｐゴシック", "DFontSize=9", "DFontStyle=[]", "DFontColor=-2147483640",
    "DDefaultRowHeight=24", "DColWidths[1]=180", "DColWidths[2]=176", "DColWidths[3]=162",
    "DPartition=1", "エンターキーで次の行に移動=False", "常時文字入力の状態=False",
    "エンターキーでデータチェック=False", "完全に一致する文字列を検索=False", "検索文字列=\x1A"};

}  // namespace plomix

// The keys, in the order the window writes them. The check boxes' keys are their captions.
namespace plomix::dlkey {

inline constexpr char Left[] = "DLeft";
inline constexpr char Top[] = "DTop";
inline constexpr char Width[] = "DWidth";
inline constexpr char Height[] = "DHeight";
inline constexpr char WindowState[] = "DWindowState";
inline constexpr char FontName[] = "DFontName";
inline constexpr char FontSize[] = "DFontSize";
inline constexpr char FontStyle[] = "DFontStyle";
inline constexpr char FontColor[] = "DFontColor";
inline constexpr char RowHeight[] = "DDefaultRowHeight";
inline constexpr const char *ColWidths[3] = {"DColWidths[1]", "DColWidths[2]", "DColWidths[3]"};
inline constexpr char Partition[] = "DPartition";
inline constexpr char EnterMovesDown[] = "エンターキーで次の行に移動";
inline constexpr char AlwaysEdit[] = "常時文字入力の状態";
inline constexpr char EnterChecks[] = "エンターキーでデータチェック";
inline constexpr char ExactSearch[] = "完全に一致する文字列を検索";
inline constexpr char SearchText[] = "検索文字列";

}  // namespace plomix::dlkey

// Written only once the user imported or exported a CSV file: the fields last chosen for
// the code and the two comments (-1: none), and the export's encoding (0 UTF-8, 1 Shift-JIS).
namespace plomix::dlkey {

inline constexpr const char *CsvColumns[3] = {"DCsvCodeColumn", "DCsvUpColumn", "DCsvDownColumn"};
inline constexpr char CsvExportEncoding[] = "DCsvExportEncoding";

}  // namespace plomix::dlkey
